#include "cli/CompletionScripts.h"

#include "cli/ConvertOptionTable.h"

#include <QStringList>

namespace {

// The first line of an option's help, for the shells that show one beside it; cut to a
// line's width at a word.
QString summaryOf(const OptionDeclaration& option) {
    constexpr qsizetype width = 64;
    QString help = QString::fromLatin1(option.help).section(u'\n', 0, 0);
    help.replace(QStringLiteral("{fields}"), QStringLiteral("the zip data's fields"));
    if (help.size() > width)
        help = help.left(help.lastIndexOf(u' ', width)) + QStringLiteral("...");
    return help;
}

// A shell word in single quotes.
QString quoted(QString text) {
    return u'\'' + text.replace(u'\'', QStringLiteral("'\\''")) + u'\'';
}

// Bash: plain functions, no helpers of the bash-completion package needed.
constexpr const char* bashCommon =
    R"(# quellist-convert's completion for bash, made from its option table when it is built.

# The header names of the first table named on the line, one a line.
_quellist_convert_header() {
    local word file line
    for word in "${COMP_WORDS[@]:1}"; do
        [[ $word != -* && -f $word ]] && { file=$word; break; }
    done
    [[ -n $file ]] || return 0
    IFS= read -r line <"$file" || [[ -n $line ]] || return 0
    line=${line%$'\r'}
    line=${line#$'\xef\xbb\xbf'}
    if [[ $file == *.tsv || $file == *.tab || $file == *.TSV || $file == *.TAB ]]; then
        printf '%s\n' "${line//$'\t'/$'\n'}"
    else
        line=${line//\"/}
        printf '%s\n' "${line//,/$'\n'}"
    fi
}

_quellist_convert() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    if [[ $prev == = && $COMP_CWORD -ge 2 ]]; then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    elif [[ $cur == = ]]; then
        cur=""
    fi
    local IFS=$'\n'
    case $prev in
)";

QString bashCase(const QStringList& spellings, const QString& action) {
    return QStringLiteral("    %1)\n        %2\n        return ;;\n")
        .arg(spellings.join(u'|'), action);
}

} // namespace

namespace CompletionScripts {

QStringList optionNames() {
    QStringList names;
    for (const OptionDeclaration& option : optionDeclarations())
        names += option.spellings();
    return names;
}

QString bash() {
    QString script = QString::fromLatin1(bashCommon);
    for (const OptionDeclaration& option : optionDeclarations()) {
        if (!option.value)
            continue;
        const QString words = option.completionWords().join(u' ');
        QString action;
        switch (option.completes) {
        case Completion::Words:
            action = QStringLiteral("COMPREPLY=($(IFS=' '; compgen -W %1 -- \"$cur\"))")
                         .arg(quoted(words));
            break;
        case Completion::CommaWords:
            action = QStringLiteral("local done=\"\"; [[ $cur == *,* ]] && done=${cur%,*},\n"
                                    "        COMPREPLY=($(IFS=' '; compgen -P \"$done\" -W %1 -- "
                                    "\"${cur##*,}\"))\n"
                                    "        compopt -o nospace 2>/dev/null")
                         .arg(quoted(words));
            break;
        case Completion::File:
            action = QStringLiteral("COMPREPLY=($(compgen -f -- \"$cur\"))");
            break;
        case Completion::Column:
            action = QStringLiteral(
                "COMPREPLY=($(compgen -W \"$(_quellist_convert_header)\" -- \"$cur\"))");
            break;
        case Completion::None:
            action = QStringLiteral("COMPREPLY=()");
            break;
        }
        script += bashCase(option.spellings(), action);
    }
    return script + QStringLiteral(R"(    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(IFS=' '; compgen -W %1 -- "$cur"))
    else
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}
complete -o filenames -F _quellist_convert quellist-convert
)")
                        .arg(quoted(optionNames().join(u' ')));
}

QString zsh() {
    QString script = QStringLiteral(R"(#compdef quellist-convert
# quellist-convert's completion for zsh, made from its option table when it is built.

# The header names of the first table named on the line.
_quellist_convert_header() {
    local word file line
    for word in ${words[2,-1]}; do
        [[ $word != -* && -f $word ]] && { file=$word; break; }
    done
    [[ -n $file ]] || return 1
    IFS= read -r line <$file
    line=${line%$'\r'}
    line=${line#$'\xef\xbb\xbf'}
    local -a names
    if [[ $file == (#i)*.(tsv|tab) ]]; then names=(${(ps:\t:)line}); else names=(${(s:,:)${line//\"/}}); fi
    compadd -a names
}

_quellist_convert() {
    _arguments -s -S \
)");
    for (const OptionDeclaration& option : optionDeclarations()) {
        const QStringList spellings = option.spellings();
        QString description = summaryOf(option);
        description.replace(u'[', u'(').replace(u']', u')').replace(u'\'', u'`');
        const QString exclusive =
            spellings.size() > 1 ? u'(' + spellings.join(u' ') + u')' : QString();
        QString action;
        const QString words = option.completionWords().join(u' ');
        switch (option.completes) {
        case Completion::Words:
            action = QStringLiteral(":value:(%1)").arg(words);
            break;
        case Completion::CommaWords:
            action = QStringLiteral(":list:_sequence compadd - %1").arg(words);
            break;
        case Completion::File:
            action = QStringLiteral(":file:_files");
            break;
        case Completion::Column:
            action = QStringLiteral(":column:_quellist_convert_header");
            break;
        case Completion::None:
            action =
                option.value ? QStringLiteral(":%1: ").arg(QLatin1String(option.value)) : QString();
            break;
        }
        for (const QString& spelling : spellings)
            script += QStringLiteral("        '%1%2[%3]%4' \\\n")
                          .arg(exclusive, spelling, description, action);
    }
    return script + QStringLiteral("        '*:file:_files'\n}\n\n_quellist_convert \"$@\"\n");
}

QString fish() {
    QString script = QStringLiteral(
        R"(# quellist-convert's completion for fish, made from its option table when it is built.

# The header names of the first table named on the line.
function __quellist_convert_header
    for word in (commandline -opc)[2..-1]
        if test -f "$word"; and not string match -q -- '-*' $word
            set -l line (head -n 1 -- $word | string replace -r '\r$' '' | string replace -r '^\xef\xbb\xbf' '')
            if string match -q -r -i '\.(tsv|tab)$' -- $word
                string split \t -- $line
            else
                string split , -- (string replace -a '"' '' -- $line)
            end
            return
        end
    end
end

# A comma list: the words after what is typed up to the last comma.
function __quellist_convert_list
    set -l typed (string replace -r '[^,]*$' '' -- (commandline -ct))
    for word in $argv
        echo $typed$word
    end
end

)");
    for (const OptionDeclaration& option : optionDeclarations()) {
        QString line = QStringLiteral("complete -c quellist-convert");
        for (const QString& spelling : option.spellings())
            line += spelling.startsWith(QStringLiteral("--"))
                        ? QStringLiteral(" -l ") + spelling.mid(2)
                        : QStringLiteral(" -s ") + spelling.mid(1);
        const QString words = option.completionWords().join(u' ');
        // The option with its help; its values apart, without it.
        script += line + QStringLiteral(" -d %1\n").arg(quoted(summaryOf(option)));
        switch (option.completes) {
        case Completion::Words:
            script += line + QStringLiteral(" -x -a %1\n").arg(quoted(words));
            break;
        case Completion::CommaWords:
            script +=
                line + QStringLiteral(" -x -a %1\n")
                           .arg(quoted(QStringLiteral("(__quellist_convert_list %1)").arg(words)));
            break;
        case Completion::File:
            script += line + QStringLiteral(" -r -F\n");
            break;
        case Completion::Column:
            script += line + QStringLiteral(" -x -a '(__quellist_convert_header)'\n");
            break;
        case Completion::None:
            script += option.value ? line + QStringLiteral(" -x\n") : QString();
            break;
        }
    }
    return script;
}

} // namespace CompletionScripts

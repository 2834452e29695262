#include "cli/OptionRule.h"

#include "cli/ConvertOptionTable.h"

#include <QStringList>

#include <algorithm>

namespace {

// "--format=csv" or "--column (the zip's)" split into the option, the value it must have
// (or none) and the words a message shows.
struct Named {
    QString option;
    QString value;
    QString shown;
};

Named namedBy(const QString& text) {
    Named named;
    named.shown = text.trimmed();
    named.option = named.shown.section(u' ', 0, 0);
    if (const qsizetype equals = named.option.indexOf(u'='); equals >= 0) {
        named.value = named.option.mid(equals + 1);
        named.option.truncate(equals);
    }
    return named;
}

QList<Named> othersOf(const OptionRule& rule) {
    QList<Named> others;
    for (const QString& text : QString::fromLatin1(rule.others).split(u'|'))
        others << namedBy(text);
    return others;
}

bool isGiven(const Named& named, const GivenOptions& given) {
    const auto at = given.constFind(named.option);
    return at != given.constEnd() && (named.value.isEmpty() || *at == named.value);
}

// Whether the rule holds for the option given with this value.
bool applies(const OptionRule& rule, const QString& value, const GivenOptions& given) {
    if (rule.values && !QString::fromLatin1(rule.values).split(u'|').contains(value))
        return false;
    return !rule.unless || !given.contains(QString::fromLatin1(rule.unless));
}

// The rule's message when the options given break it; empty when they keep it.
QString breach(const OptionRule& rule, const QString& value, const GivenOptions& given,
               const ConvertOptions& options) {
    if (!applies(rule, value, given))
        return {};
    const QString message = QString::fromLatin1(rule.message);
    if (rule.kind == OptionRule::Refuses)
        return rule.holds(options) ? message : QString();
    const QList<Named> others = othersOf(rule);
    const auto given_ = [&](const Named& named) { return isGiven(named, given); };
    switch (rule.kind) {
    case OptionRule::Needs:
        return std::ranges::any_of(others, given_) ? QString() : message;
    case OptionRule::Excludes:
        return std::ranges::any_of(others, given_) ? message : QString();
    case OptionRule::NeedsAll: {
        QStringList missing;
        for (const Named& named : others)
            if (!given_(named))
                missing << named.shown;
        return missing.isEmpty() ? QString() : message.arg(missing.join(QStringLiteral(", ")));
    }
    case OptionRule::Refuses:
        break;
    }
    return {};
}

} // namespace

QString brokenRule(const GivenOptions& given, const ConvertOptions& options) {
    for (const OptionDeclaration& option : optionDeclarations()) {
        const auto at = given.constFind(option.longName());
        if (at == given.constEnd())
            continue;
        for (const OptionRule& rule : option.rules)
            if (QString message = breach(rule, *at, given, options); !message.isEmpty())
                return message;
    }
    return {};
}

#include "support/ScriptedPlatform.h"

#include "core/UserSettings.h"

void ScriptedPlatform::onceWhen(std::function<bool()> seen, std::function<void()> act) {
    onYield = [seen = std::move(seen), act = std::move(act), done = false](int) mutable {
        if (!done && seen()) {
            done = true;
            act();
        }
    };
}

QStringList ScriptedPlatform::messageTexts() const {
    QStringList texts;
    for (const ShownMessage& message : messages)
        texts.append(message.text);
    return texts;
}

MessageAnswer ScriptedPlatform::showMessage(const QString& text, MessageButtons buttons,
                                            MessageIcon icon, const QString& title) {
    const ShownMessage message{text, buttons, icon, title};
    messages.append(message);
    if (onMessage)
        onMessage(message);
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answers.isEmpty() ? MessageAnswer::No : answers.dequeue();
}

QString ScriptedPlatform::inputPrompt(const QString& prompt, const QString&) {
    prompts.append(prompt);
    return promptTexts.isEmpty() ? QString() : promptTexts.dequeue();
}

QStringList ScriptedPlatform::openFileNames(const FileDialogRequest& request) {
    fileDialogs.append(request);
    return openFileSelections.isEmpty() ? QStringList() : openFileSelections.dequeue();
}

QString ScriptedPlatform::saveFileName(const FileDialogRequest& request) {
    fileDialogs.append(request);
    return saveFileNames.isEmpty() ? QString() : saveFileNames.dequeue();
}

bool ScriptedPlatform::clipboardCallFails() {
    ++clipboardAttempts;
    if (clipboardFailuresLeft <= 0)
        return false;
    --clipboardFailuresLeft;
    return true;
}

bool ScriptedPlatform::clearClipboard() {
    if (clipboardCallFails())
        return false;
    clipboard.clear();
    clipboardHoldsText = false;
    return true;
}

bool ScriptedPlatform::setClipboardText(const QString& text) {
    if (clipboardCallFails())
        return false;
    clipboard = text;
    clipboardHoldsText = true;
    return true;
}

bool ScriptedPlatform::openUrl(const QUrl& url) {
    if (openUrlFails)
        return false;
    openedUrls.append(url);
    return true;
}

bool ScriptedPlatform::startProgram(const QString& program, const QStringList& arguments) {
    if (startProgramFails)
        return false;
    startedPrograms.append(QStringList{program} + arguments);
    return true;
}

double ScriptedPlatform::nextRandom() {
    return randomNumbers.isEmpty() ? 0.5 : randomNumbers.dequeue();
}

std::int64_t ScriptedPlatform::monotonicMilliseconds() {
    clock_ += millisecondsPerReading;
    return clock_;
}

void ScriptedPlatform::processEvents() {
    ++yields;
    if (onYield)
        onYield(yields);
}

std::optional<QString> ScriptedPlatform::readSetting(const QString& key) {
    return UserSettings::read(key);
}

bool ScriptedPlatform::writeSetting(const QString& key, const QString& text) {
    return UserSettings::write(key, text);
}

QString ScriptedPlatform::settingsStore() const {
    return UserSettings::fileName();
}

#pragma once

#include "platform/core/Prompter.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <functional>
#include <variant>

// Answers the program's questions from a script and records every question
// word for word. A question with no answer left is recorded as unexpected and
// answered with Cancel (or a cancelled dialog).
class ScriptedPrompter : public IPrompter {
public:
    using Answer = std::variant<MsgResult, std::optional<QString>>;

    void answerMessage(MsgResult r) { m_answers.push_back(r); }
    void answerFile(const QString &path) { m_answers.push_back(std::optional<QString>(path)); }
    void answerInput(const QString &text) { m_answers.push_back(std::optional<QString>(text)); }
    void cancelDialog() { m_answers.push_back(std::optional<QString>()); }

    MsgResult message(const MessageRequest &request) override;
    std::optional<QString> fileDialog(const FileDialogRequest &request) override;
    std::optional<QString> input(const InputRequest &request) override;

    QList<MessageRequest> messages;
    QList<FileDialogRequest> fileDialogs;
    QList<InputRequest> inputs;
    QStringList unexpected; // questions asked with no scripted answer, or the wrong kind
    int answersLeft() const { return int(m_answers.size()); }
    // Runs while a message box would be open, before it is answered: what the
    // rest of the program does meanwhile (events, other programs touching files).
    std::function<void(const MessageRequest &)> whileAsking;

private:
    std::deque<Answer> m_answers;
};

#include "ScriptedPrompter.h"

MsgResult ScriptedPrompter::message(const MessageRequest &request)
{
    messages << request;
    if (m_answers.empty() || !std::holds_alternative<MsgResult>(m_answers.front())) {
        unexpected << QStringLiteral("message: ") + request.title + QStringLiteral(" / ") + request.text;
        return request.buttons == MsgButtons::OK ? MsgResult::OK : MsgResult::Cancel;
    }
    const MsgResult r = std::get<MsgResult>(m_answers.front());
    m_answers.pop_front();
    return r;
}

std::optional<QString> ScriptedPrompter::fileDialog(const FileDialogRequest &request)
{
    fileDialogs << request;
    if (m_answers.empty() || !std::holds_alternative<std::optional<QString>>(m_answers.front())) {
        unexpected << QStringLiteral("file dialog: ") + request.title;
        return std::nullopt;
    }
    const std::optional<QString> r = std::get<std::optional<QString>>(m_answers.front());
    m_answers.pop_front();
    return r;
}

std::optional<QString> ScriptedPrompter::input(const InputRequest &request)
{
    inputs << request;
    if (m_answers.empty() || !std::holds_alternative<std::optional<QString>>(m_answers.front())) {
        unexpected << QStringLiteral("input: ") + request.prompt;
        return std::nullopt;
    }
    const std::optional<QString> r = std::get<std::optional<QString>>(m_answers.front());
    m_answers.pop_front();
    return r;
}

void ScriptedPrompter::clear()
{
    messages.clear();
    fileDialogs.clear();
    inputs.clear();
    unexpected.clear();
    m_answers.clear();
}

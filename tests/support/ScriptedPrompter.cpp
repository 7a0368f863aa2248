#include "ScriptedPrompter.h"

namespace {
// The next scripted answer if it is of the kind asked for; otherwise the
// question is recorded as unexpected and gets `fallback`.
template <typename T>
T take(std::deque<ScriptedPrompter::Answer> &answers, QStringList &unexpected, const QString &question, T fallback)
{
    if (answers.empty() || !std::holds_alternative<T>(answers.front())) {
        unexpected << question;
        return fallback;
    }
    const T r = std::get<T>(answers.front());
    answers.pop_front();
    return r;
}
} // namespace

MsgResult ScriptedPrompter::message(const MessageRequest &request)
{
    messages << request;
    if (whileAsking)
        whileAsking(request);
    return take(m_answers, unexpected, QStringLiteral("message: ") + request.title + QStringLiteral(" / ") + request.text,
                request.buttons == MsgButtons::OK ? MsgResult::OK : MsgResult::Cancel);
}

std::optional<QString> ScriptedPrompter::fileDialog(const FileDialogRequest &request)
{
    fileDialogs << request;
    return take<std::optional<QString>>(m_answers, unexpected, QStringLiteral("file dialog: ") + request.title, std::nullopt);
}

std::optional<QString> ScriptedPrompter::input(const InputRequest &request)
{
    inputs << request;
    return take<std::optional<QString>>(m_answers, unexpected, QStringLiteral("input: ") + request.prompt, std::nullopt);
}

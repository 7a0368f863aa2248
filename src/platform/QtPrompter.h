#pragma once

#include "platform/core/Prompter.h"

class QWidget;

// Shows the questions as Qt dialogs, over the active window.
class QtPrompter : public IPrompter {
public:
    MsgResult message(const MessageRequest &request) override;
    std::optional<QString> fileDialog(const FileDialogRequest &request) override;
    std::optional<QString> input(const InputRequest &request) override;
};

#pragma once

#include "platform/DialogService.h"
#include "platform/Errors.h"

#include <exception>
#include <utility>

// The program's generic error handler: runs work, and when it throws shows the error's text in an
// error box and goes on. Returns false when work threw.
template <typename Work> bool RunGuarded(DialogService* dialogs, Work&& work) {
    QString text;
    try {
        std::forward<Work>(work)();
        return true;
    } catch (const KrelError& e) {
        text = e.Message;
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    }
    if (dialogs)
        dialogs->Message(text, MessageKind::Error, MessageButtons::Ok);
    return false;
}

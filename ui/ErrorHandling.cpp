#include "ui/ErrorHandling.h"

#include <QTimer>

#include "core/Errors.h"
#include "ui/DialogSeam.h"

namespace {
std::string& Title() {
    static std::string title;
    return title;
}

std::string MessageOf(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown error";
    }
}

bool IsAbort(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        return true;
    } catch (...) {
        return false;
    }
}
}  // namespace

std::string ApplicationTitle() {
    return Title();
}

void SetApplicationTitle(const std::string& title) {
    Title() = title;
}

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

void HandleException(std::exception_ptr error) {
    if (!error || IsAbort(error)) return;
    Dialogs().ShowError(ApplicationTitle(), ErrorBoxText(MessageOf(error)));
}

void HandleExceptionLater(std::exception_ptr error) {
    QTimer::singleShot(0, [error] { HandleException(error); });
}

#pragma once
#include <exception>
#include <string>

// The error hierarchy. Messages are the exact texts the user sees in the error box.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const { return message_; }
    virtual const char* ClassName() const { return "Exception"; }

private:
    std::string message_;
};

#define BRELVIK_ERROR_CLASS(Name, Base)                          \
    class Name : public Base {                                   \
    public:                                                      \
        using Base::Base;                                        \
        const char* ClassName() const override { return #Name; } \
    };

BRELVIK_ERROR_CLASS(EAbort, Exception)  // silent cancellation: never shown
BRELVIK_ERROR_CLASS(EConvertError, Exception)
BRELVIK_ERROR_CLASS(EInvalidOperation, Exception)
BRELVIK_ERROR_CLASS(EInvalidGraphic, Exception)
BRELVIK_ERROR_CLASS(EInvalidGraphicOperation, Exception)
BRELVIK_ERROR_CLASS(EJPEG, EInvalidGraphic)
BRELVIK_ERROR_CLASS(EStreamError, Exception)
BRELVIK_ERROR_CLASS(EReadError, EStreamError)
// A failed write also keeps the system's reason (e.g. "No space left on device") for callers that
// name it; the message stays the fixed text.
class EWriteError : public EStreamError {
public:
    explicit EWriteError(std::string message, std::string systemReason = {})
        : EStreamError(std::move(message)), systemReason_(std::move(systemReason)) {}
    const char* ClassName() const override { return "EWriteError"; }
    const std::string& SystemReason() const { return systemReason_; }

private:
    std::string systemReason_;
};
BRELVIK_ERROR_CLASS(EFOpenError, EStreamError)
BRELVIK_ERROR_CLASS(EFCreateError, EStreamError)
BRELVIK_ERROR_CLASS(EOutOfMemory, Exception)
BRELVIK_ERROR_CLASS(EOutOfResources, EOutOfMemory)
BRELVIK_ERROR_CLASS(EOSError, Exception)

#undef BRELVIK_ERROR_CLASS

// The fixed texts.
namespace ErrorText {
constexpr const char* InvalidBitmap = "Bitmap image is not valid";
constexpr const char* InvalidIcon = "Icon image is not valid";
constexpr const char* InvalidPixelFormat = "Invalid pixel format";
constexpr const char* UnknownExtension = "Unknown picture file extension (.%s)";
constexpr const char* ScanLineOutOfRange = "Scan line index out of range";
constexpr const char* ChangeIconSize = "Cannot change the size of an icon";
constexpr const char* ChangeJpegSize = "Cannot change the size of a JPEG image";
constexpr const char* JpegError = "JPEG error #%d";
constexpr const char* StreamRead = "Stream read error";
constexpr const char* StreamWrite = "Stream write error";
constexpr const char* FOpen = "Cannot open file \"%s\". %s";
constexpr const char* FCreate = "Cannot create file \"%s\". %s";
constexpr const char* OutOfResources = "Out of system resources";
constexpr const char* OSError = "System Error.  Code: %d.\r\n%s";
constexpr const char* AssignError = "Cannot assign a %s to a %s";
constexpr const char* NoCanvasHandle = "Canvas does not allow drawing";
constexpr const char* InvalidInteger = "'%s' is not a valid integer value";
constexpr const char* MemoryStreamExpand = "Out of memory while expanding memory stream";
constexpr const char* IconClipboard = "Clipboard does not support Icons";
constexpr const char* EmptyPicture = "The picture is empty: there is nothing to save";
constexpr const char* NoTargetName = "No file name to save to: type one or choose one first";
}  // namespace ErrorText

// printf-style formatting of the texts above.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Signed decimal conversion; raises EConvertError "'%s' is not a valid integer value".
int StrToInt(const std::string& text);

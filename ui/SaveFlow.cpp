#include "ui/SaveFlow.h"

#include "core/Errors.h"
#include "core/TPicture.h"
#include "formats/JpegSave.h"
#include "formats/PictureLoading.h"
#include "platform/FileSearch.h"
#include "platform/Ticks.h"

std::string SavedFileName(const std::string& target, std::optional<SaveKind> kind) {
    return target + ExtensionOf(kind.value_or(SaveKind::Icon));
}

void CheckSaveTarget(const std::string& target) {
    if (target.empty()) throw EInvalidOperation(ErrorText::NoTargetName);
}

void CheckSavedPicture(const TPicture& working) {
    if (!working.HeldGraphic() || working.HeldGraphic()->IsEmpty())
        throw EInvalidGraphic(ErrorText::EmptyPicture);
}

void SaveAsJpeg(const TPicture& working, int sliderPosition, const std::string& name) {
    CheckSavedPicture(working);
    SaveJpeg(*working.HeldGraphic(), name, JpegSettingsAtQuality(QualityOfSliderPosition(sliderPosition)));
}

std::int64_t ReadBackSavedFile(const std::string& name, TPicture& preview) {
    platform::Sleep(100);
    const std::int64_t size = platform::QueryFileSize(name);
    ReadFromFile(preview, name);
    return size;
}

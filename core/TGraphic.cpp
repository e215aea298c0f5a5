#include "core/TGraphic.h"

#include "core/Errors.h"
#include "core/TStream.h"

void TGraphic::CopyTo(TGraphic& target) {
    throw EConvertError(Format(ErrorText::AssignError, ClassName(), target.ClassName()));
}

void TGraphic::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Changed();
}

void TGraphic::ReadFromFile(const std::string& path) {
    TFileStream stream(path, fmOpenRead);
    ReadFromStream(stream);
}

void TGraphic::WriteToFile(const std::string& path) {
    TFileStream stream(path, fmCreate);
    WriteToStream(stream);
}

void TGraphic::Changed() {
    modified_ = true;
    if (OnChange) OnChange(*this);
}

void TGraphic::Progress(TProgressStage stage, std::uint8_t percent, bool redraw, const TRect& rect,
                        const std::string& message) {
    if (OnProgress) OnProgress(*this, stage, percent, redraw, rect, message);
}

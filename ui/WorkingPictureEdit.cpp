#include "ui/WorkingPictureEdit.h"

#include "core/TPicture.h"
#include "core/WorkingRaster.h"
#include "ui/BusyCursor.h"

void EditWorkingPicture(TPicture& picture, const std::function<void(TPicture&)>& edit) {
    const BusyCursor busy;
    const TPictureUpdate update(picture);
    WorkingRaster(picture);
    edit(picture);
}

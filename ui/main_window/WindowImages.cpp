#include "WindowImages.h"

#include "ImageDrawing.h"
#include "PngResource.h"
#include "resource.h"

namespace {

// A set's images are the 96-dpi ones with each length scaled, rounded as the layout's are;
// the window's own size is the set's size brought to the window's scale.
UINT ToWindowScale(UINT length, int percent, const DisplayScale& scale)
{
    const long long base = ((long long)length * 100 + percent / 2) / percent;
    return UINT(scale.Px(int(base)));
}

CGdipImage LoadScaled(HMODULE module, UINT id, const DisplayScale& scale)
{
    int percent = ImageSetPercentFor(scale);
    CGdipImage image = LoadPngResource(module, ScaledResourceId(id, scale));
    if (!image) {
        percent = 100;
        image = LoadPngResource(module, id);
    }
    if (!image || percent * kBaseDpi == scale.dpi * 100) return image;
    UINT width = 0, height = 0;
    GetImageSize(image, width, height);
    CGdipImage resampled =
        ResampleImage(image, ToWindowScale(width, percent, scale), ToWindowScale(height, percent, scale));
    return resampled ? std::move(resampled) : std::move(image);
}

}  // namespace

UINT ScaledResourceId(UINT id, const DisplayScale& scale)
{
    return id + UINT(ImageSetIndexFor(scale)) * IDB_SET_STEP;
}

void WindowImages::Load(HMODULE module, const DisplayScale& scale)
{
    frame = LoadScaled(module, IDB_FRAME_SKIN, scale);
    close = LoadScaled(module, IDB_CLOSE_BUTTON, scale);
    button = LoadScaled(module, IDB_PUSH_BUTTON, scale);
    selector = LoadScaled(module, IDB_SELECTOR, scale);
    selectorArrows = LoadScaled(module, IDB_SELECTOR_ARROWS, scale);
    defaultIcon = LoadScaled(module, IDB_DEFAULT_APP_ICON, scale);
    separator = LoadScaled(module, IDB_SEPARATOR, scale);
    warning = LoadScaled(module, IDB_WARNING, scale);
}

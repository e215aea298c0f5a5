#include "widgets/ComboButtonPainting.h"

#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <array>
#include <optional>

#include "widgets/DevicePixels.h"
#include "widgets/QtColor.h"

// The button bitmaps live in this static library's resources, whose registration the linker may
// otherwise drop. (Outside any namespace: the registration function is a global one.)
static void EnsureButtonBitmaps() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(widgets);
        return true;
    }();
    (void)registered;
}

namespace {

struct VariantLook {
    const char* normal;
    const char* hot;
    const char* down;
    std::optional<TColor> outline;  // when enabled
    TColor hotOutline;
    TColor chevron;
};

const std::array<VariantLook, 4> Variants = {{
    {"XPCBNOR", "XPCBHOT", "XPCBDOWN", std::nullopt, 0xDFA07B, 0xBE6923},
    {"XPCBNORS", "XPCBHOTS", "XPCBDOWNS", 0xA29493, 0x333333, 0x333333},
    {"XPCBNORG", "XPCBHOTG", "XPCBDOWNG", 0x618376, 0x77AB9D, 0xFFFFFF},
    {"XPCBNORO", "XPCBHOTO", "XPCBDOWNO", 0x7ABBFC, 0x46A0FB, 0x0055AA},
}};

constexpr TColor DisabledChevron = 0xB6C1CB;
constexpr TColor CornerColor = 0xFFEAEA;

const VariantLook* LookFor(int index) {
    return index >= 0 && index < int(Variants.size()) ? &Variants[std::size_t(index)] : nullptr;
}

void Outline(QPainter& painter, const QRect& r, TColor color) {
    const QColor c = ToQColor(color);
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), c);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), c);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), c);
}

// A downward chevron two pixels thick, 9 wide and 6 high: the columns set in each row.
constexpr std::array<std::array<int, 6>, 6> ChevronRows = {{
    {1, 7, -1, -1, -1, -1},
    {0, 1, 2, 6, 7, 8},
    {1, 2, 3, 5, 6, 7},
    {2, 3, 4, 5, 6, -1},
    {3, 4, 5, -1, -1, -1},
    {4, -1, -1, -1, -1, -1},
}};

// On a denser screen: the image scaled smoothly into the device pixels of its rectangle.
void DrawImageSmoothly(QPainter& painter, const DevicePixels& grid, const QRect& logical,
                       const QImage& image) {
    const QRect target = grid.Map(logical);
    grid.Paint(painter, [&](QPainter& p) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, image);
    });
}

// On a denser screen: the chevron as the two strokes its pixels make, drawn smoothly at device size.
void DrawChevronSmoothly(QPainter& painter, const DevicePixels& grid, QPoint origin, const QColor& color) {
    QPainterPath path;
    path.moveTo(grid.MapPoint(origin + QPointF(1, 1)));
    path.lineTo(grid.MapPoint(origin + QPointF(4.5, 4.5)));
    path.lineTo(grid.MapPoint(origin + QPointF(8, 1)));
    grid.Paint(painter, [&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(color, 2.1 * grid.Ratio(), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawPath(path);
    });
}

}  // namespace

QRect ComboImageRect(const QRect& client, int cx, int index) {
    const int right = client.right() + 1;  // exclusive
    const int bottom = client.bottom() + 1;
    const int left = right - 1 - cx;
    if (index == 1) return QRect(QPoint(left, client.top() + 1), QPoint(right - 2, bottom - 2));
    return QRect(QPoint(left, client.top() + 2), QPoint(right - 3, bottom - 3));
}

const char* ComboButtonImageName(const ComboButtonState& state) {
    if (!state.Enabled) return "XPCBDIS";
    const VariantLook* look = LookFor(state.Index);
    if (!look) return "";
    if (state.Hot) return look->hot;  // hot wins over held down
    return state.Down ? look->down : look->normal;
}

QPoint ComboChevronOrigin(const QRect& image, int cx, int outerHeight) {
    const int right = image.right() + 1;
    return QPoint(right - cx / 2 - (cx % 2 != 0 ? 5 : 4), outerHeight / 2 - 2);
}

TColor ComboChevronColor(bool enabled, int index) {
    if (!enabled) return DisabledChevron;
    const VariantLook* look = LookFor(index);
    return look ? look->chevron : 0xFFFFFF;
}

void PaintComboButton(QPainter& painter, const QRect& client, int outerHeight, int cx,
                      const ComboButtonState& state, QImage& buttonImage) {
    const int right = client.right() + 1, bottom = client.bottom() + 1;
    painter.fillRect(QRect(QPoint(right - cx - 2, client.top() + 1), QPoint(right - 2, bottom - 2)),
                     Qt::white);

    const QRect image = ComboImageRect(client, cx, state.Index);
    // Loaded afresh at every paint; a missing resource leaves the image empty and draws nothing.
    EnsureButtonBitmaps();
    buttonImage = QImage(QStringLiteral(":/") + QString::fromLatin1(ComboButtonImageName(state)));
    // One device pixel per logical pixel keeps the plain stretch; denser screens get smooth drawing.
    const DevicePixels grid(painter, client.size());
    if (!buttonImage.isNull()) {
        if (grid.OneToOne())
            painter.drawImage(image, buttonImage);
        else
            DrawImageSmoothly(painter, grid, image, buttonImage);
    }

    const VariantLook* look = LookFor(state.Index);
    if (state.Enabled && look && look->outline) Outline(painter, image, *look->outline);
    if (state.Hot && state.Enabled && look) Outline(painter, image, look->hotOutline);

    const QColor corner = ToQColor(CornerColor);
    for (const QPoint& p : {image.topLeft(), image.topRight(), image.bottomLeft(), image.bottomRight()})
        painter.fillRect(QRect(p, QSize(1, 1)), corner);

    const QPoint origin = ComboChevronOrigin(image, cx, outerHeight);
    const QColor chevron = ToQColor(ComboChevronColor(state.Enabled, state.Index));
    if (!grid.OneToOne()) {
        DrawChevronSmoothly(painter, grid, origin, chevron);
        return;
    }
    for (int dy = 0; dy < int(ChevronRows.size()); ++dy)
        for (int dx : ChevronRows[std::size_t(dy)])
            if (dx >= 0) painter.fillRect(QRect(origin.x() + dx, origin.y() + dy, 1, 1), chevron);
}

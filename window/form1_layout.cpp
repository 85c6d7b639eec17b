// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "form1_layout.h"

#include "calculation.h"

#include <QtMath>

namespace planewall {

namespace {

using Box = std::array<int, 4>;

constexpr ControlRow label(const char *name, const char *caption, Box box, TextStyle style,
                           CaptionPlacement placement = CaptionPlacement::TopLeft)
{
    return {.kind = ControlKind::Label,
            .name = name,
            .caption = caption,
            .twips = box,
            .style = style,
            .placement = placement};
}

constexpr ControlRow line(const char *name, Box ends)
{
    return {.kind = ControlKind::Line, .name = name, .caption = "", .twips = ends};
}

constexpr ControlRow entryBox(const char *name, Entry entry, Box box, int tabIndex,
                              const char *accessibleName, const char *toolTip)
{
    return {.kind = ControlKind::EntryBox,
            .name = name,
            .caption = "1",
            .twips = box,
            .style = TextStyle::Body,
            .index = static_cast<int>(entry),
            .tabIndex = tabIndex,
            .accessibleName = accessibleName,
            .toolTip = toolTip};
}

constexpr ControlRow resultBox(const char *name, Slot slot, Box box, const char *accessibleName)
{
    return {.kind = ControlKind::ResultBox,
            .name = name,
            .caption = "",
            .twips = box,
            .style = TextStyle::Body,
            .placement = CaptionPlacement::LeftMiddle,
            .index = static_cast<int>(slot),
            .accessibleName = accessibleName};
}

constexpr ControlRow button(const char *name, Command command, const char *caption, Box box,
                            int tabIndex)
{
    return {.kind = ControlKind::Button,
            .name = name,
            .caption = caption,
            .twips = box,
            .style = TextStyle::Body,
            .index = static_cast<int>(command),
            .tabIndex = tabIndex};
}

constexpr ControlRow link(const char *name, const char *caption, Box box, int tabIndex,
                          const char *accessibleName, const char *toolTip)
{
    return {.kind = ControlKind::Link,
            .name = name,
            .caption = caption,
            .twips = box,
            .style = TextStyle::Default,
            .tabIndex = tabIndex,
            .accessibleName = accessibleName,
            .toolTip = toolTip};
}

// ζ is U+03B6 itself, drawn from whatever installed face has it; a symbol-encoded face that maps
// "z" to ζ would turn every other letter Greek and may draw U+03B6 blank.
constexpr const char *kZeta = "\u03B6";

constexpr ControlRow kControls[] = {
    // Heading, with a rule under it.
    label("Label1", "Plane Wall with Convection Exact Solution", {120, 0, 6015, 975},
          TextStyle::Heading, CaptionPlacement::CentredWrapped),
    line("Line1", {0, 1080, 6360, 1080}),

    // Bi = hL/k as a fraction, and ζn tan ζn = Bi with lowered subscripts.
    label("Label2(0)", "Bi", {720, 1440, 375, 375}, TextStyle::Body),
    label("Label3(0)", "=", {1200, 1440, 255, 255}, TextStyle::Body),
    label("Label4", "h L", {1560, 1200, 495, 375}, TextStyle::Body),
    line("Line2", {1560, 1680, 2040, 1680}),
    label("Label5(0)", "k", {1680, 1800, 255, 375}, TextStyle::Body),
    label("Label6(0)", kZeta, {3480, 1440, 255, 495}, TextStyle::Zeta),
    label("Label8(0)", "n", {3720, 1680, 135, 255}, TextStyle::Default),
    label("Label7", "tan", {3840, 1500, 615, 375}, TextStyle::Body),
    label("Label6(1)", kZeta, {4440, 1440, 255, 495}, TextStyle::Zeta),
    label("Label8(1)", "n", {4680, 1680, 135, 255}, TextStyle::Default),
    label("Label3(1)", "=", {4800, 1560, 255, 255}, TextStyle::Body),
    label("Label2(1)", "Bi", {5160, 1500, 375, 375}, TextStyle::Body),
    line("Line3", {6360, 2280, 0, 2280}),

    // The three inputs.
    label("Label5(3)", "h =", {120, 2520, 615, 375}, TextStyle::Body),
    entryBox("Text_h", Entry::H, {840, 2520, 1500, 500}, 15, "h",
             "h: the convection coefficient between the wall and the fluid "
             "(any units consistent with L and k)"),
    label("Label5(2)", "L =", {120, 3180, 615, 375}, TextStyle::Body),
    entryBox("Text_L", Entry::L, {840, 3240, 1500, 500}, 16, "L",
             "L: the half-thickness of a wall cooled on both faces, or the thickness of one "
             "insulated on the other face (any units consistent with h and k)"),
    label("Label5(1)", "k =", {120, 3840, 615, 375}, TextStyle::Body),
    entryBox("Text_k", Entry::K, {840, 3960, 1500, 500}, 17, "k",
             "k: the thermal conductivity of the wall (any units consistent with h and L)"),

    // The results: symbol, subscript, "=" and result box on each row.
    label("Label2(2)", "Bi", {3480, 2400, 375, 375}, TextStyle::Body),
    label("Label3(2)", "=", {3960, 2400, 255, 255}, TextStyle::Body),
    resultBox("Label_bi", Slot::Bi, {4320, 2400, 1335, 405}, "Bi"),
    label("Label6(2)", kZeta, {3480, 2880, 255, 495}, TextStyle::Zeta),
    label("Label8(2)", "1", {3720, 3120, 135, 255}, TextStyle::Default),
    label("Label3(3)", "=", {3960, 2880, 255, 255}, TextStyle::Body),
    resultBox("Label_z1", Slot::Zeta1, {4320, 2880, 1335, 405}, "zeta 1"),
    label("Label6(3)", kZeta, {3480, 3360, 255, 495}, TextStyle::Zeta),
    label("Label8(3)", "2", {3720, 3600, 135, 255}, TextStyle::Default),
    label("Label3(4)", "=", {3960, 3360, 255, 255}, TextStyle::Body),
    resultBox("Label_z2", Slot::Zeta2, {4320, 3360, 1335, 405}, "zeta 2"),
    label("Label6(4)", kZeta, {3480, 3840, 255, 495}, TextStyle::Zeta),
    label("Label8(4)", "3", {3720, 4080, 135, 255}, TextStyle::Default),
    label("Label3(5)", "=", {3960, 3840, 255, 255}, TextStyle::Body),
    resultBox("Label_z3", Slot::Zeta3, {4320, 3840, 1335, 405}, "zeta 3"),
    label("Label6(5)", kZeta, {3480, 4320, 255, 495}, TextStyle::Zeta),
    label("Label8(5)", "4", {3720, 4560, 135, 255}, TextStyle::Default),
    label("Label3(6)", "=", {3960, 4320, 255, 255}, TextStyle::Body),
    resultBox("Label_z4", Slot::Zeta4, {4320, 4320, 1335, 405}, "zeta 4"),
    line("Line4", {0, 4920, 6360, 4920}),

    // The commands and the credit line.
    button("Command1", Command::Calculate, "Calculate", {360, 5040, 1800, 735}, 25),
    button("Command2", Command::Quit, "Quit", {3840, 5040, 1800, 735}, 26),
    label("Label_ostrel", "By Ostrel Venby", {4800, 6000, 1215, 255}, TextStyle::Default),
#if PLANEWALL_WITH_EXPLORER
    // At the bottom left, on the credit line's baseline and clear of it: the way to the
    // explorer, last in the Tab order.
    link("Label_explorer", "Temperatures and charts\u2026", {120, 6000, 2880, 255}, 27,
         "Temperatures and charts",
         "Opens the explorer with this h, L and k, read as W/m\u00B2K, m and W/mK: "
         "temperatures at any time, the energy, solving for a time or h, and charts"),
#endif
};

// Form1 keeps every entry box, result box and button by its index: each index of each kind
// has to be in the table exactly once.
constexpr bool eachIndexOnce(ControlKind kind, std::size_t count)
{
    for (std::size_t index = 0; index < count; ++index) {
        int rows = 0;
        for (const ControlRow &row : kControls)
            rows += row.kind == kind && row.index == static_cast<int>(index);
        if (rows != 1)
            return false;
    }
    for (const ControlRow &row : kControls) {
        if (row.kind == kind && (row.index < 0 || row.index >= static_cast<int>(count)))
            return false;
    }
    return true;
}
static_assert(eachIndexOnce(ControlKind::EntryBox, kEntryCount));
static_assert(eachIndexOnce(ControlKind::ResultBox, kAllSlots.size()));
static_assert(eachIndexOnce(ControlKind::Button, kCommandCount));

// Sizes in points as drawn at 96 dots per inch; fonts are set in pixels so that they keep their
// proportion to the layout, which is in pixels too, whatever dots per inch the screen reports.
QFont fontOf(const char *family, double points)
{
    QFont font(QString::fromLatin1(family));
    // Where the family is not installed, the font system puts its own sans-serif face in place.
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(points * 96 / 72));
    return font;
}

} // namespace

std::span<const ControlRow> form1Controls()
{
    return kControls;
}

QFont styleFont(TextStyle style)
{
    switch (style) {
    case TextStyle::Heading:
        return fontOf("Verdana", 21.75);
    case TextStyle::Default:
        // Small enough for the credit line, 81 pixels wide, and the subscripts under a 9-pixel
        // column, yet still legible.
        return fontOf("Verdana", 7.5);
    case TextStyle::Body:
    case TextStyle::Zeta:
    case TextStyle::None:
        break;
    }
    return fontOf("Verdana", 15.75);
}

QSize twipsToPixels(QSize twips)
{
    return {twips.width() / kTwipsPerPixel, twips.height() / kTwipsPerPixel};
}

QRect pixelRect(const ControlRow &row)
{
    const auto [left, top, width, height] = row.twips;
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

QLine pixelLine(const ControlRow &row)
{
    const auto [x1, y1, x2, y2] = row.twips;
    return {x1 / kTwipsPerPixel, y1 / kTwipsPerPixel, x2 / kTwipsPerPixel, y2 / kTwipsPerPixel};
}

} // namespace planewall

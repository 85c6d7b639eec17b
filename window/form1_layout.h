// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include "fitted_text.h"

#include <QFont>
#include <QLine>
#include <QRect>
#include <QSize>

#include <array>
#include <span>

namespace planewall {

// Form1 as it was drawn: every control with its name, caption and place in twips, converted to
// device-independent pixels at 15 twips per pixel (96 dots per inch). Qt's high-DPI scaling
// scales those pixels, and the fonts with them, on denser screens.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr QSize kForm1ClientTwips(6300, 6285);
inline constexpr const char *kForm1Caption = "Form1";

enum class ControlKind {
    Label,
    Line,
    EntryBox,
    ResultBox,
    Button,
    Link, // a link-styled text that opens the explorer
};

// The controls Form1 works with, each by its place among the controls of its kind; the result
// boxes go by their Slot.
enum class Entry { H, L, K };
inline constexpr std::size_t kEntryCount = 3;
enum class Command { Calculate, Quit };
inline constexpr std::size_t kCommandCount = 2;

enum class TextStyle {
    None, // lines
    Body, // Verdana 15.75 pt: formulas, prompts, entry and result boxes, buttons
    Heading, // Verdana 21.75 pt
    Zeta, // the letter ζ at the Body size
    Default, // Verdana 7.5 pt: subscripts and the credit line
};

struct ControlRow
{
    ControlKind kind;
    const char *name;
    const char *caption; // UTF-8; the starting text of an entry box
    // Left, top, width, height; for a line, its end points x1, y1, x2, y2.
    std::array<int, 4> twips;
    TextStyle style = TextStyle::None;
    CaptionPlacement placement = CaptionPlacement::TopLeft;
    int index = -1; // an entry box's Entry, a result box's Slot, a button's Command
    int tabIndex = -1; // only for the controls that the Tab key visits
    const char *accessibleName = nullptr;
    const char *toolTip = nullptr;
};

// Every control of Form1, in creation order.
std::span<const ControlRow> form1Controls();

QFont styleFont(TextStyle style);

QSize twipsToPixels(QSize twips);
// The box of a label, entry box, result box or button.
QRect pixelRect(const ControlRow &row);
// The two end points of a line.
QLine pixelLine(const ControlRow &row);

} // namespace planewall

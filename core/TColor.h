#pragma once
#include "platform/Color.h"

using platform::TColor;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;

constexpr TColor clBackground = 0xFF000001, clActiveCaption = 0xFF000002, clWindow = 0xFF000005,
                 clWindowText = 0xFF000008, clCaptionText = 0xFF000009, clHighlight = 0xFF00000D,
                 clHighlightText = 0xFF00000E, clBtnFace = 0xFF00000F, clBtnShadow = 0xFF000010,
                 clGrayText = 0xFF000011, clBtnText = 0xFF000012, clBtnHighlight = 0xFF000014;

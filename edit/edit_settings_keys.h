#pragma once
// Settings of the editing windows, kept in the main window's section frmMDI: the default text
// format, printing and page layout, find and replace. "" where the owning window decides.
// Reading and writing several of them follows the GetRegistry / SaveRegistry flags.
#include "platform/settings_key.h"

namespace zx::keys::frmMDI {

// Default text format.
inline constexpr SettingKey FontName{"frmMDI", "FontName", "Arial"};
inline constexpr SettingKey FontSize{"frmMDI", "FontSize", "10"};
inline constexpr SettingKey FontColor{"frmMDI", "FontColor", "0"};
inline constexpr SettingKey FontBackColor{"frmMDI", "FontBackColor", ""};
inline constexpr SettingKey FontBold{"frmMDI", "FontBold", "False"};
inline constexpr SettingKey FontItalic{"frmMDI", "FontItalic", "False"};
inline constexpr SettingKey FontStrikeThru{"frmMDI", "FontStrikeThru", "False"};
inline constexpr SettingKey FontUnderline{"frmMDI", "FontUnderline", "False"};
inline constexpr SettingKey FormatSetDefalt{"frmMDI", "FormatSetDefalt", ""};
inline constexpr SettingKey FormatDefaltAsk{"frmMDI", "FormatDefaltAsk", ""};
inline constexpr SettingKey FormatAsk{"frmMDI", "FormatAsk", ""};

// Printing and page layout.
inline constexpr SettingKey prnPaperSize{"frmMDI", "prnPaperSize", ""};
inline constexpr SettingKey prnOrientation{"frmMDI", "prnOrientation", ""};
inline constexpr SettingKey prnLeftMargin{"frmMDI", "prnLeftMargin", ""};
inline constexpr SettingKey prnRightMargin{"frmMDI", "prnRightMargin", ""};
inline constexpr SettingKey prnTopMargin{"frmMDI", "prnTopMargin", ""};
inline constexpr SettingKey prnBottomMargin{"frmMDI", "prnBottomMargin", ""};
inline constexpr SettingKey Indent{"frmMDI", "Indent", ""};
inline constexpr SettingKey RightIndent{"frmMDI", "RightIndent", ""};
inline constexpr SettingKey HangingIndent{"frmMDI", "HangingIndent", ""};
inline constexpr SettingKey MargDefalt{"frmMDI", "MargDefalt", ""};
inline constexpr SettingKey MargDefaltAsk{"frmMDI", "MargDefaltAsk", ""};
inline constexpr SettingKey MargUnits{"frmMDI", "MargUnits", ""};
inline constexpr SettingKey TabCount{"frmMDI", "TabCount", ""};
inline constexpr SettingKey TabDefalt{"frmMDI", "TabDefalt", ""};
inline constexpr SettingKey TabDefaltAsk{"frmMDI", "TabDefaltAsk", ""};
inline constexpr SettingKey TabName{"frmMDI", "TabName", ""};
inline constexpr SettingKey TabPos{"frmMDI", "TabPos", ""};
inline constexpr SettingKey TabUnits{"frmMDI", "TabUnits", ""};

// Find and replace: histories joined by "@" "." LF "." "@"; window place in twips.
inline constexpr SettingKey SearchFindHistory{"frmMDI", "SearchFindHistory", ""};
inline constexpr SettingKey SearchReplaceHistory{"frmMDI", "SearchReplaceHistory", ""};
inline constexpr SettingKey SearchWindowLeft{"frmMDI", "SearchWindowLeft", ""};
inline constexpr SettingKey SearchWindowTop{"frmMDI", "SearchWindowTop", ""};

} // namespace zx::keys::frmMDI

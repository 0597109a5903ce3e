#pragma once
// Settings read and written by the CFile documents: section, key and default in one place.
#include "platform/settings_key.h"

namespace zx::cfilekeys {

using Key = SettingKey;

// Window state of new CFile windows: 0 normal, 1 minimised, 2 maximised.
inline constexpr Key CFileState{"CFile", "CFileState", "0"};
// View mode 0 no wrap, 1 wrap at the window, 2 wrap at the printer's page width.
inline constexpr Key ViewMode{"frmMDI", "ViewMode", "0"};
// The folder of new CFiles: where the last CFile was saved or opened through a file dialog
// (empty: the user's documents folder). Save As starts there; CFiles named on the remote
// panel are saved there.
inline constexpr Key CFileFolder{"CFile", "CFileFolder", ""};
// Chronograph warnings (gates the New/Open confirmation and the Edit-mode warning).
inline constexpr Key ShowWarnRV{"frmVipNotes", "ShowWarnRV", "True"};
// Typing in Shoot mode without the caret jumping to the end.
inline constexpr Key SoftEdit{"Morvane", "SoftEdit", "False"};

// Default text format of new documents.
inline constexpr Key FormatSetDefalt{"frmMDI", "FormatSetDefalt", "False"};
inline constexpr Key FontName{"frmMDI", "FontName", "Arial"};
inline constexpr Key FontSize{"frmMDI", "FontSize", "10"};
inline constexpr Key FontColor{"frmMDI", "FontColor", "0"};
inline constexpr Key FontBackColor{"frmMDI", "FontBackColor", "16777215"};
inline constexpr Key FontBold{"frmMDI", "FontBold", "False"};
inline constexpr Key FontItalic{"frmMDI", "FontItalic", "False"};
inline constexpr Key FontStrikeThru{"frmMDI", "FontStrikeThru", "False"};
inline constexpr Key FontUnderline{"frmMDI", "FontUnderline", "False"};
// Default tab stops of new documents.
inline constexpr Key TabDefalt{"frmMDI", "TabDefalt", "False"};
inline constexpr Key TabPos{"frmMDI", "TabPos", ""};      // positions in twips, ";"-separated
// Default page margins of new documents.
inline constexpr Key MargDefalt{"frmMDI", "MargDefalt", "False"};
inline constexpr Key prnLeftMargin{"frmMDI", "prnLeftMargin", "1440"};   // twips
inline constexpr Key prnRightMargin{"frmMDI", "prnRightMargin", "1440"}; // twips

// The file bar: shown or not, and the folder it shows.
inline constexpr Key FileBarShow{"frmMDI", "FileBar", "False"};
inline constexpr Key FileBarPath{"frmMDI", "FileBarPath", ""};

// Recent files: keys File1..File<kMruMax>, most recent first, in the reserved branch
// Software\Zentrix\MRUList (the store's application MRUList: the registry key on Windows,
// Zentrix/MRUList.conf elsewhere), one group per instance name. Earlier versions kept them in
// the instance's section modMRU; such a list is moved once. The clearing functions remove
// section modMRU and the instance's group of the branch.
inline constexpr const char *MruBranch = "MRUList";
inline constexpr const char *MruSection = "modMRU";
inline constexpr int kMruMax = 4;

} // namespace zx::cfilekeys

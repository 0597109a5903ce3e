#pragma once
// libxlsxwriter, loaded on its own. Debian's libxlsxwriter (through libminizip) and QuaZip
// both export minizip's functions under the same names (zipOpen3, ...) with different
// meanings; linked into one program, libxlsxwriter would call QuaZip's copy and crash. Loaded
// with RTLD_DEEPBIND, libxlsxwriter resolves them in its own dependencies first, while QuaZip
// keeps its own.
#include <QString>

#include <xlsxwriter.h>

namespace zx::wb {

#define ZX_XLSXWRITER_FUNCTIONS(X) \
    X(format_set_align) \
    X(format_set_bold) \
    X(format_set_font_color) \
    X(format_set_font_size) \
    X(format_set_num_format) \
    X(format_set_underline) \
    X(lxw_strerror) \
    X(workbook_add_format) \
    X(workbook_add_worksheet) \
    X(workbook_close) \
    X(workbook_new_opt) \
    X(workbook_set_custom_property_string) \
    X(workbook_set_properties) \
    X(worksheet_activate) \
    X(worksheet_set_column_opt) \
    X(worksheet_set_row_opt) \
    X(worksheet_set_selection) \
    X(worksheet_write_blank) \
    X(worksheet_write_boolean) \
    X(worksheet_write_formula_num) \
    X(worksheet_write_formula_str) \
    X(worksheet_write_number) \
    X(worksheet_write_string) \
    X(worksheet_write_url_opt)

struct XlsxWriterApi {
#define ZX_XLSXWRITER_POINTER(fn) decltype(&::fn) fn = nullptr;
    ZX_XLSXWRITER_FUNCTIONS(ZX_XLSXWRITER_POINTER)
#undef ZX_XLSXWRITER_POINTER
};

// The loaded library, or nullptr with the reason in *error.
const XlsxWriterApi *xlsxWriterApi(QString *error);

} // namespace zx::wb

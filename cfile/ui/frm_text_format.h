#pragma once
// frmFont: the default text format of new CFiles (font, size, style, colours) and whether new
// CFiles get it. Shows the stored values; OK hands them back, the caller stores them.
#include "cfile/document_defaults.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QPushButton;

namespace zx {

class FrmTextFormat : public QDialog {
    Q_OBJECT
public:
    explicit FrmTextFormat(const TextDefaults &values, QWidget *parent = nullptr);
    TextDefaults values() const;

private:
    void pickColor(int &color);
    void updateSample();

    QFontComboBox *m_font;
    QComboBox *m_size;
    QCheckBox *m_bold, *m_italic, *m_underline, *m_strike, *m_apply;
    QLabel *m_sample;
    int m_color;
    int m_backColor;
};

// 0x00BBGGRR (as stored) to a colour and back.
QColor colorFromStored(int bgr);
int storedFromColor(const QColor &c);

} // namespace zx

#include "cfile/ui/frm_text_format.h"

#include "cfile/ui/ok_cancel_buttons.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx {

QColor colorFromStored(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
int storedFromColor(const QColor &c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

FrmTextFormat::FrmTextFormat(const TextDefaults &v, QWidget *parent)
    : QDialog(parent), m_color(v.color), m_backColor(v.backColor)
{
    setObjectName(QStringLiteral("frmFont"));
    setWindowTitle(QStringLiteral("Default Text Format"));
    m_font = new QFontComboBox(this);
    m_font->setObjectName(QStringLiteral("cboFontName"));
    if (!v.fontName.isEmpty())
        m_font->setCurrentFont(QFont(v.fontName));
    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("cboFontSize"));
    m_size->setEditable(true);
    for (int s : {8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28, 36, 48, 72})
        m_size->addItem(QString::number(s));
    m_size->setCurrentText(QString::number(v.sizePt));
    const auto check = [this](const char *name, const QString &text, bool on) {
        auto *c = new QCheckBox(text, this);
        c->setObjectName(QString::fromLatin1(name));
        c->setChecked(on);
        connect(c, &QCheckBox::toggled, this, &FrmTextFormat::updateSample);
        return c;
    };
    m_bold = check("chkBold", QStringLiteral("&Bold"), v.bold);
    m_italic = check("chkItalic", QStringLiteral("&Italic"), v.italic);
    m_underline = check("chkUnderline", QStringLiteral("&Underline"), v.underline);
    m_strike = check("chkStrikeThru", QStringLiteral("S&trikethrough"), v.strike);
    m_apply = check("chkSetDefault", QStringLiteral("Use this format for &new CFiles"), v.apply);
    auto *color = new QPushButton(QStringLiteral("Text &Colour..."), this);
    color->setObjectName(QStringLiteral("cmdColor"));
    connect(color, &QPushButton::clicked, this, [this] { pickColor(m_color); });
    auto *back = new QPushButton(QStringLiteral("&Background..."), this);
    back->setObjectName(QStringLiteral("cmdBackColor"));
    connect(back, &QPushButton::clicked, this, [this] { pickColor(m_backColor); });

    m_sample = new QLabel(QStringLiteral("AaBbYyZz 0123.4 fps"), this);
    m_sample->setObjectName(QStringLiteral("lblSample"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumHeight(60);
    m_sample->setAutoFillBackground(true);
    m_sample->setFrameShape(QFrame::StyledPanel);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Font:"), m_font);
    form->addRow(QStringLiteral("&Size:"), m_size);
    auto *styles = new QHBoxLayout;
    for (QCheckBox *c : {m_bold, m_italic, m_underline, m_strike})
        styles->addWidget(c);
    form->addRow(QStringLiteral("Style:"), styles);
    auto *colors = new QHBoxLayout;
    colors->addWidget(color);
    colors->addWidget(back);
    colors->addStretch();
    form->addRow(QStringLiteral("Colours:"), colors);

    QDialogButtonBox *buttons = okCancelButtons(this);

    auto *root = new QVBoxLayout(this);
    root->addLayout(form);
    root->addWidget(m_sample);
    root->addWidget(m_apply);
    root->addWidget(buttons);
    connect(m_font, &QFontComboBox::currentFontChanged, this, &FrmTextFormat::updateSample);
    connect(m_size, &QComboBox::currentTextChanged, this, &FrmTextFormat::updateSample);
    updateSample();
    resize(460, sizeHint().height());
}

TextDefaults FrmTextFormat::values() const
{
    TextDefaults v;
    v.apply = m_apply->isChecked();
    v.fontName = m_font->currentFont().family();
    v.sizePt = qBound(1, m_size->currentText().toInt(), 1638);
    v.color = m_color;
    v.backColor = m_backColor;
    v.bold = m_bold->isChecked();
    v.italic = m_italic->isChecked();
    v.underline = m_underline->isChecked();
    v.strike = m_strike->isChecked();
    return v;
}

void FrmTextFormat::pickColor(int &color)
{
    const QColor c = QColorDialog::getColor(colorFromStored(color), this);
    if (c.isValid()) {
        color = storedFromColor(c);
        updateSample();
    }
}

void FrmTextFormat::updateSample()
{
    const TextDefaults v = values();
    QFont f(v.fontName);
    f.setPointSize(qMin(v.sizePt, 36));
    f.setBold(v.bold);
    f.setItalic(v.italic);
    f.setUnderline(v.underline);
    f.setStrikeOut(v.strike);
    m_sample->setFont(f);
    QPalette p = m_sample->palette();
    p.setColor(QPalette::WindowText, colorFromStored(v.color));
    p.setColor(QPalette::Window, colorFromStored(v.backColor));
    m_sample->setPalette(p);
}

} // namespace zx

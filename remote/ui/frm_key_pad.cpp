#include "remote/ui/frm_key_pad.h"

#include "remote/keypad.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace zx {

namespace {

constexpr int kKeyW = 64, kKeyH = 42;   // a key at the normal size, pixels
constexpr int kLcdColumns = 42;

double scaleOf(int step) { return std::pow(1.15, step); }

// Key faces by what they do.
enum class Face { Mode, Start, Stop, Cal, Memory, Nav, Display };

Face faceOf(int index)
{
    switch (index) {
    case 4: return Face::Start;
    case 9: return Face::Stop;
    case 5: return Face::Cal;
    case 6:
    case 7: return Face::Memory;
    case 12: case 13: case 14: case 17: case 18: case 19: case 22: case 23: case 24: return Face::Nav;
    case 8: case 10: case 11: case 15: case 16: case 20: case 21: return Face::Display;
    default: return Face::Mode;
    }
}

QColor faceColor(Face f)
{
    switch (f) {
    case Face::Start: return {46, 139, 58};
    case Face::Stop: return {178, 42, 42};
    case Face::Cal: return {201, 139, 28};
    case Face::Memory: return {128, 70, 62};
    case Face::Nav: return {52, 58, 66};
    case Face::Display: return {62, 86, 120};
    case Face::Mode: break;
    }
    return {88, 96, 108};
}

QString keyStyle(QColor face, int radius, int fontPt)
{
    return QStringLiteral("QPushButton { color: #f4f4f4; font-weight: bold; font-size: %1pt;"
                          " border: 1px solid #101214; border-radius: %2px;"
                          " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %3, stop:1 %4); }"
                          "QPushButton:hover { border-color: #c8d0d8; }"
                          "QPushButton:pressed { background: %5; padding-top: 2px; }"
                          "QPushButton:disabled { color: #8a8a8a; }")
        .arg(fontPt)
        .arg(radius)
        .arg(face.lighter(135).name(), face.name(), face.darker(140).name());
}

// The pictures of the uncaptioned keys, drawn white on a transparent ground.
enum class Picture { Up, Down, Left, Right, PageUp, PageDown, Thermometer };

QIcon picture(Picture kind, int size)
{
    const qreal dpr = 2.0;
    QPixmap pm(int(size * dpr), int(size * dpr));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(244, 244, 244));
    const qreal s = size;
    const auto triangle = [&p, s](qreal cy, bool up) {
        QPolygonF t;
        const qreal h = s * 0.32, w = s * 0.36;
        if (up)
            t << QPointF(s / 2, cy - h / 2) << QPointF(s / 2 + w, cy + h / 2) << QPointF(s / 2 - w, cy + h / 2);
        else
            t << QPointF(s / 2, cy + h / 2) << QPointF(s / 2 + w, cy - h / 2) << QPointF(s / 2 - w, cy - h / 2);
        p.drawPolygon(t);
    };
    switch (kind) {
    case Picture::Up: triangle(s / 2, true); break;
    case Picture::Down: triangle(s / 2, false); break;
    case Picture::PageUp:
        triangle(s * 0.34, true);
        triangle(s * 0.68, true);
        break;
    case Picture::PageDown:
        triangle(s * 0.32, false);
        triangle(s * 0.66, false);
        break;
    case Picture::Left:
    case Picture::Right: {
        p.translate(s / 2, s / 2);
        p.rotate(kind == Picture::Left ? -90 : 90);
        p.translate(-s / 2, -s / 2);
        triangle(s / 2, true);
        break;
    }
    case Picture::Thermometer: {
        QPainterPath tube;
        tube.addRoundedRect(QRectF(s * 0.42, s * 0.08, s * 0.16, s * 0.62), s * 0.08, s * 0.08);
        tube.addEllipse(QPointF(s / 2, s * 0.76), s * 0.16, s * 0.16);
        p.drawPath(tube.simplified());
        p.setBrush(QColor(215, 40, 40));
        p.drawEllipse(QPointF(s / 2, s * 0.76), s * 0.10, s * 0.10);
        p.drawRect(QRectF(s * 0.47, s * 0.36, s * 0.06, s * 0.36));
        p.setPen(QPen(QColor(244, 244, 244), s * 0.04));
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(s * 0.62, s * (0.18 + 0.12 * i)), QPointF(s * 0.72, s * (0.18 + 0.12 * i)));
        break;
    }
    }
    return QIcon(pm);
}

struct PictureKey {
    int index;
    Picture picture;
    const char *tip;
};

constexpr PictureKey kPictureKeys[] = {
    {12, Picture::PageUp, "Page up: previous folder (in a menu: ON, or one step up)"},
    {13, Picture::Up, "Up: previous shot (in a menu: previous sub-item)"},
    {14, Picture::Thermometer, "Temperatures"},
    {17, Picture::Left, "Left: previous string (in a menu: previous item)"},
    {19, Picture::Right, "Right: next string (in a menu: next item)"},
    {22, Picture::PageDown, "Page down: next folder (in a menu: OFF, or one step down)"},
    {23, Picture::Down, "Down: next shot (in a menu: next sub-item)"},
    {24, Picture::Thermometer, "Temperatures"},
};

QString arrayName(const char *name, int index)
{
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

} // namespace

FrmKeyPad::FrmKeyPad(KeyPad &pad, QWidget *parent) : QWidget(parent, Qt::Window), m_pad(pad)
{
    setObjectName(QStringLiteral("frmKeyPad"));
    setWindowTitle(QStringLiteral("RV5 Keypad"));
    setAttribute(Qt::WA_QuitOnClose, false);

    auto *brand = new QLabel(QStringLiteral("<span style='font-size:15pt; font-weight:bold; font-style:italic;'>RV5</span>"
                                            "&nbsp;&nbsp;<span style='font-size:8pt; letter-spacing:2px;'>BALLISTIC CHRONOGRAPH</span>"),
                             this);
    brand->setObjectName(QStringLiteral("lblBrand"));
    brand->setStyleSheet(QStringLiteral("color: #d9dde2;"));

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(20, 14, 20, 14);
    root->setSpacing(12);
    root->addWidget(brand);
    root->addWidget(buildLcd());
    root->addWidget(buildKeys(), 0, Qt::AlignHCenter);
    root->addWidget(buildBottom());
    root->setSizeConstraint(QLayout::SetFixedSize);

    connect(&m_pad, &KeyPad::lcdChanged, this, &FrmKeyPad::showLcd);
    connect(&m_pad, &KeyPad::indicatorsChanged, this, &FrmKeyPad::showIndicators);
    showLcd(m_pad.lcd());
    showIndicators();
    applySize();
}

QWidget *FrmKeyPad::buildLcd()
{
    auto *bezel = new QFrame(this);
    bezel->setObjectName(QStringLiteral("fraLcd"));
    bezel->setStyleSheet(QStringLiteral("QFrame#fraLcd { background: #15171a; border: 1px solid #050505; border-radius: 10px; }"));
    auto *lay = new QVBoxLayout(bezel);
    lay->setContentsMargins(10, 10, 10, 8);
    lay->setSpacing(0);

    m_lcd = new QPlainTextEdit(bezel);
    m_lcd->setObjectName(QStringLiteral("txtLcd"));
    m_lcd->setReadOnly(true);
    m_lcd->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_lcd->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_lcd->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_lcd->setFocusPolicy(Qt::NoFocus);
    m_lcd->setContextMenuPolicy(Qt::NoContextMenu);
    m_lcd->setToolTip(QStringLiteral("The last four lines the chronograph sent"));
    lay->addWidget(m_lcd);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    static const char *const tips[] = {"Archery mode", "Sensors on", "Rapid fire mode", "Started (Start key)",
                                       "Stopped (Stop key)"};
    for (int i = 0; i < KeyPad::kIndicators; ++i) {
        auto *box = new QLabel(QString::fromLatin1(KeyPad::kIndicatorNames.at(size_t(i))), bezel);
        box->setObjectName(arrayName("txtLcdSta", i));
        box->setAlignment(Qt::AlignCenter);
        box->setToolTip(QString::fromLatin1(tips[i]));
        m_indicators.at(size_t(i)) = box;
        row->addWidget(box, 1);
    }
    lay->addLayout(row);
    return bezel;
}

QWidget *FrmKeyPad::buildKeys()
{
    auto *holder = new QWidget(this);
    holder->setObjectName(QStringLiteral("fraKeys"));
    auto *grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < KeyPad::kKeys; ++i) {
        auto *b = new QPushButton(QString::fromLatin1(KeyPad::kPadKeys.at(size_t(i)).caption), holder);
        b->setObjectName(arrayName("keyPadKey", i));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus);
        m_keys.at(size_t(i)) = b;
        grid->addWidget(b, i / 5, i % 5);
        connect(b, &QPushButton::clicked, &m_pad, [this, i] { m_pad.keyPress(i); });
    }
    for (const PictureKey &k : kPictureKeys) {
        m_keys.at(size_t(k.index))->setToolTip(QString::fromLatin1(k.tip));
        m_keys.at(size_t(k.index))->setAccessibleName(QString::fromLatin1(k.tip).section(QLatin1Char(':'), 0, 0));
    }
    m_keys[0]->setToolTip(QStringLiteral("Units in use"));
    m_keys[1]->setToolTip(QStringLiteral("Archery mode on or off"));
    m_keys[2]->setToolTip(QStringLiteral("Sensors off, with their report"));
    m_keys[3]->setToolTip(QStringLiteral("Rapid fire mode on or off"));
    m_keys[4]->setToolTip(QStringLiteral("Escape: wakes the chronograph and ends what it shows"));
    m_keys[5]->setToolTip(QStringLiteral("Calibrate the sensors"));
    m_keys[6]->setToolTip(QStringLiteral("Delete the shot under review"));
    m_keys[7]->setToolTip(QStringLiteral("Undelete the shot under review"));
    m_keys[9]->setToolTip(QStringLiteral("Switch the chronograph off"));
    m_keys[10]->setToolTip(QStringLiteral("The menu of the current mode"));
    m_keys[11]->setToolTip(QStringLiteral("Sign-on and status"));
    for (int i : {8, 18, 20, 21})
        m_keys.at(size_t(i))->setToolTip(QStringLiteral("Data mode"));
    for (int i : {15, 16})
        m_keys.at(size_t(i))->setToolTip(QStringLiteral("Stats mode: the current string's statistics"));
    return holder;
}

QWidget *FrmKeyPad::buildBottom()
{
    auto *holder = new QWidget(this);
    auto *row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    const auto add = [this, holder, row](const char *name, const QString &text, const QString &tip) {
        auto *b = new QPushButton(text, holder);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setToolTip(tip);
        b->setStyleSheet(QStringLiteral(
            "QPushButton { color: #d9dde2; background: #2a2d32; border: 1px solid #0d0e10; border-radius: 5px;"
            " padding: 2px 10px; }"
            "QPushButton:hover { border-color: #8a929c; } QPushButton:pressed { background: #1b1d20; }"));
        m_small << b;
        row->addWidget(b);
        return b;
    };
    QPushButton *home = add("keyHomePad", QStringLiteral("<>"), QStringLiteral("Normal size"));
    QPushButton *dec = add("keyDecPad", QStringLiteral("<<<"), QStringLiteral("Smaller pad"));
    QPushButton *inc = add("keyIncPad", QStringLiteral(">>>"), QStringLiteral("Larger pad"));
    row->addStretch(1);
    QPushButton *help = add("cmdHelp", QStringLiteral("&Help"), QStringLiteral("What the keys do"));
    QPushButton *close = add("keyClose", QStringLiteral("&Close"), QStringLiteral("Close the keypad"));
    connect(home, &QPushButton::clicked, this, [this] { setPadSize(0); });
    connect(dec, &QPushButton::clicked, this, [this] { setPadSize(m_size - 1); });
    connect(inc, &QPushButton::clicked, this, [this] { setPadSize(m_size + 1); });
    connect(help, &QPushButton::clicked, this, &FrmKeyPad::helpRequested);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    return holder;
}

void FrmKeyPad::setPadSize(int step)
{
    step = std::clamp(step, int(kMinSize), int(kMaxSize));
    if (step == m_size)
        return;
    m_size = step;
    applySize();
}

void FrmKeyPad::applySize()
{
    const double s = scaleOf(m_size);
    const int w = int(kKeyW * s), h = int(kKeyH * s);
    const int keyPt = std::max(7, int(std::lround(9 * s)));
    for (int i = 0; i < KeyPad::kKeys; ++i) {
        QPushButton *b = m_keys.at(size_t(i));
        b->setFixedSize(w, h);
        b->setStyleSheet(keyStyle(faceColor(faceOf(i)), int(8 * s), keyPt));
    }
    const int icon = int(h * 0.62);
    for (const PictureKey &k : kPictureKeys) {
        m_keys.at(size_t(k.index))->setIcon(picture(k.picture, icon));
        m_keys.at(size_t(k.index))->setIconSize(QSize(icon, icon));
    }
    if (auto *grid = qobject_cast<QGridLayout *>(m_keys[0]->parentWidget()->layout()))
        grid->setSpacing(int(10 * s));

    // The LCD: dark segments on a green-yellow backlight, four lines as wide as the key rows.
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(11 * s);
    mono.setBold(true);
    m_lcd->setFont(mono);
    m_lcd->setStyleSheet(QStringLiteral("QPlainTextEdit { color: #1d2a12; border: 2px inset #4d5a38; border-radius: 4px;"
                                        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #c9d9a0, stop:1 #a9bf7c); }"));
    const QFontMetrics fm(mono);
    const int frame = 2 * (m_lcd->frameWidth() + int(m_lcd->document()->documentMargin())) + 4;
    m_lcd->setFixedHeight(fm.lineSpacing() * KeyPad::kLcdLines + frame);
    // Wide enough for a review line ("REV:Fol=01 Str=04 Sho=06 Vel=2903.61 f/s") in full.
    m_lcd->setFixedWidth(std::max(5 * w + 4 * int(10 * s) - 20, fm.horizontalAdvance(QLatin1Char('0')) * kLcdColumns + frame));
    showIndicators();
    for (QPushButton *b : std::as_const(m_small))
        b->setMinimumHeight(int(26 * s));
    adjustSize();
}

void FrmKeyPad::showLcd(const QString &text)
{
    // The LCD text ends its lines with CR LF (received text) or CR alone (the test pattern).
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_lcd->setPlainText(shown);
}

void FrmKeyPad::showIndicators()
{
    const double s = scaleOf(m_size);
    const int pt = std::max(6, int(std::lround(7.5 * s)));
    for (int i = 0; i < KeyPad::kIndicators; ++i) {
        // A lit annunciator is a dark segment; an unlit one leaves a faint ghost on the glass.
        const bool lit = m_pad.indicator(i);
        m_indicators.at(size_t(i))->setStyleSheet(
            QStringLiteral("QLabel { font-weight: bold; font-size: %1pt; margin: 4px 3px 0 3px; padding: 1px;"
                           " border-radius: 3px; color: %2; background: %3; }")
                .arg(pt)
                .arg(lit ? QStringLiteral("#c9d9a0") : QStringLiteral("#56603f"),
                     lit ? QStringLiteral("#1d2a12") : QStringLiteral("#2a2f22")));
        m_indicators.at(size_t(i))->setProperty("lit", lit);
    }
}

void FrmKeyPad::paintEvent(QPaintEvent *)
{
    // The device's housing: a dark moulded case with a lighter rim.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(70, 75, 82));
    g.setColorAt(1, QColor(34, 37, 41));
    p.fillRect(rect(), QColor(24, 26, 29));
    p.setPen(QPen(QColor(110, 116, 124), 1.5));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(rect()).adjusted(3, 3, -3, -3), 16, 16);
}

void FrmKeyPad::closeEvent(QCloseEvent *e)
{
    m_pad.close();
    Q_EMIT closed();
    QWidget::closeEvent(e);
}

} // namespace zx

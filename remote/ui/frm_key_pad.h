#pragma once
// frmKeyPad: a picture of the chronograph's keypad under its LCD. The LCD (txtLcd) shows the
// last four lines the chronograph sent, with five indicator boxes (txtLcdSta_0 .. _4) beneath;
// the 25 pad keys are keyPadKey_0 .. keyPadKey_24, the keys without a caption carry an arrow
// or thermometer picture. keyDecPad, keyIncPad and keyHomePad make the pad smaller, larger and
// normal again; keyClose closes it, cmdHelp explains it. Keys forward to KeyPad (remote/keypad.h).
#include <QWidget>

#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zx {

class KeyPad;

class FrmKeyPad : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinSize = -2, kMaxSize = 3;   // size steps around the normal size 0

    explicit FrmKeyPad(KeyPad &pad, QWidget *parent = nullptr);

    KeyPad &pad() { return m_pad; }
    int padSize() const { return m_size; }
    void setPadSize(int step);

Q_SIGNALS:
    void helpRequested();
    void closed();

protected:
    void paintEvent(QPaintEvent *) override;
    void closeEvent(QCloseEvent *e) override;

private:
    QWidget *buildLcd();
    QWidget *buildKeys();
    QWidget *buildBottom();
    void showLcd(const QString &text);
    void showIndicators();
    void applySize();

    KeyPad &m_pad;
    int m_size = 0;
    QPlainTextEdit *m_lcd = nullptr;
    std::array<QLabel *, 5> m_indicators{};
    std::array<QPushButton *, 25> m_keys{};
    QList<QPushButton *> m_small;
};

} // namespace zx

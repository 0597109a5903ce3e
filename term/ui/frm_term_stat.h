#pragma once
// frmTermStat: the terminal's eight counters (a click on a counter's title resets it) and the
// port events list txtComBufMsg.
#include <QDialog>

#include <array>

class QLabel;
class QPlainTextEdit;

namespace zx {

class Terminal;

class FrmTermStat : public QDialog {
    Q_OBJECT
public:
    explicit FrmTermStat(Terminal &term, QWidget *parent = nullptr);
    void showCounters();
    void showEvents();

private:
    Terminal &m_term;
    std::array<QLabel *, 8> m_values{};
    QPlainTextEdit *m_events;
};

} // namespace zx

#pragma once
// LogPad double: records every line written and every captured chunk, and renders what the
// LogPad would show (kind prefixes and line ends) into one text.
#include "link/logpad_sink.h"

#include <QList>
#include <QString>

namespace zx::test {

class RecordingLogPad : public zx::LogPadSink {
public:
    struct Write {
        QString text;
        int nBefore;
        int nAfter;
        int kind;
    };

    void logPadWrite(const QString &text, int nBefore, int nAfter, int kind) override;
    void captureText(const QString &chunk) override;
    bool hasActiveCFile() const override { return m_active; }

    void setActive(bool on) { m_active = on; }
    const QList<Write> &writes() const { return m_writes; }
    QString captured() const { return m_captured; }
    // Everything as the LogPad shows it (writes and captured text in order).
    QString rendered() const { return m_rendered; }
    qint16 shotTotal = 0;   // numbers the numbered remarks (kind 2)
    void clear()
    {
        m_writes.clear();
        m_captured.clear();
        m_rendered.clear();
    }

private:
    QList<Write> m_writes;
    QString m_captured;
    QString m_rendered;
    bool m_active = true;
};

} // namespace zx::test

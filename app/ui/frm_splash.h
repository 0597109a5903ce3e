#pragma once
// The start-up window: the program's version and a status line the start-up steps fill.
#include <QWidget>

class QLabel;

namespace zx {

class FrmSplash : public QWidget {
    Q_OBJECT
public:
    explicit FrmSplash(QWidget *parent = nullptr);
    void setStatus(const QString &text);

private:
    QLabel *m_status;
};

} // namespace zx

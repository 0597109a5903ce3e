#include "app/ui/document_factory.h"

#include "app/ui/frm_mdi.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTextEdit>

namespace zx {

QMdiSubWindow *createCFileWindow(FrmMdi &mdi)
{
    static int counter = 0;
    auto *edit = new QTextEdit;
    edit->setObjectName(QStringLiteral("rtfText"));
    QMdiSubWindow *sub = mdi.mdiArea()->addSubWindow(edit);
    sub->setObjectName(QStringLiteral("frmDocument"));
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(QStringLiteral("CFile") + QString::number(++counter));
    sub->show();
    mdi.mdiArea()->setActiveSubWindow(sub);
    return sub;
}

bool loadIntoCFileWindow(QMdiSubWindow *doc, const QString &path, bool rich, QString *error)
{
    auto *edit = doc ? qobject_cast<QTextEdit *>(doc->widget()) : nullptr;
    if (!edit)
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    // Rich text needs the CFile reader; until then every file is shown as its text.
    Q_UNUSED(rich);
    edit->setPlainText(QString::fromLocal8Bit(f.readAll()));
    edit->document()->setModified(false);
    doc->setWindowTitle(path);
    return true;
}

} // namespace zx

#include "cfile/cfile_manager.h"
#include "platform/crlf.h"

#include "cfile/cfile_codec.h"
#include "cfile/cfile_folder.h"
#include "cfile/cfile_names.h"
#include "cfile/cfile_settings.h"
#include "cfile/file_chooser.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"

#include <QClipboard>
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMimeData>
#include <QTextDocumentFragment>
#include <QTextFrame>

namespace zx {

using namespace cfilekeys;

namespace {
const QString kNoOpenCFile = QStringLiteral("No Open CFile !");

// Visual Basic colours are stored as 0x00BBGGRR.
QColor vbColor(int v)
{
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}
} // namespace

CFileManager::CFileManager(Prompter &prompter, FileChooser &chooser, SettingsStore &settings,
                           const QString &appName, QObject *parent)
    : QObject(parent), m_prompter(prompter), m_chooser(chooser), m_settings(settings), m_app(appName),
      m_mru(settings, appName)
{
}

CFileManager::~CFileManager()
{
    for (CFileDoc *d : m_docs)
        delete d;
}

MsgAnswer CFileManager::msg(const QString &text, const QString &title, MsgButtons buttons, int defButton,
                            MsgIcon icon)
{
    MsgRequest r;
    r.text = text;
    r.title = title;
    r.buttons = buttons;
    r.defaultButton = defButton;
    r.icon = icon;
    // Questions are shown system-modal and in front of every window.
    r.systemModal = r.foreground = (buttons != MsgButtons::Ok);
    return m_prompter.show(r);
}

void CFileManager::logPadBox(const QString &text, const QString &title)
{
    msg(text, title, MsgButtons::Ok, 1, MsgIcon::None);
}

void CFileManager::report(int number, const QString &description, const QString &location)
{
    if (m_report) {
        m_report(description, number, location);
        return;
    }
    // Without the program's error report: the user-level-0 form, description then location.
    msg(description + kCrLf + location, {}, MsgButtons::Ok, 1, MsgIcon::Critical);
}

void CFileManager::setActive(CFileDoc *doc)
{
    if (doc == m_active)
        return;
    m_active = doc;
    Q_EMIT activeChanged(doc);
}

int CFileManager::viewMode() const
{
    const int v = SettingsStore::toInt(m_settings.read(m_app, ViewMode.section, ViewMode.key, ViewMode.defaultValue), 0);
    return (v < 0 || v > 2) ? 0 : v;
}

void CFileManager::setViewMode(int mode)
{
    if (mode < 0 || mode > 2)
        mode = 0;
    m_settings.write(m_app, ViewMode.section, ViewMode.key, QString::number(mode));
    if (m_active)
        applyViewMode(m_active);
}

void CFileManager::applyViewMode(CFileDoc *doc)
{
    if (m_host && doc)
        m_host->applyViewMode(doc, viewMode());
}

void CFileManager::applyDefaultFormats(CFileDoc *doc)
{
    auto rd = [this](const Key &k) { return m_settings.read(m_app, k.section, k.key, k.defaultValue); };
    auto yes = [&](const Key &k) { return SettingsStore::toBool(rd(k), false); };
    QTextDocument *td = doc->document();
    if (yes(FormatSetDefalt)) {
        QFont f(rd(FontName));
        f.setPointSizeF(std::max(1, SettingsStore::toInt(rd(FontSize), 10)));
        f.setBold(yes(FontBold));
        f.setItalic(yes(FontItalic));
        f.setStrikeOut(yes(FontStrikeThru));
        f.setUnderline(yes(FontUnderline));
        td->setDefaultFont(f);
        QTextCharFormat cf;
        cf.setFont(f);
        cf.setForeground(vbColor(SettingsStore::toInt(rd(FontColor), 0)));
        QTextCursor c(td);
        c.setCharFormat(cf);
        c.setBlockCharFormat(cf);
        doc->setCaret(c);
    }
    if (yes(TabDefalt)) {
        QList<QTextOption::Tab> tabs;
        for (const QString &p : rd(TabPos).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            tabs << QTextOption::Tab(SettingsStore::toInt(p, 0) / 15.0, QTextOption::LeftTab);  // twips -> px at 96 dpi
        if (!tabs.isEmpty()) {
            QTextOption o = td->defaultTextOption();
            o.setTabs(tabs);
            td->setDefaultTextOption(o);
        }
    }
    if (yes(MargDefalt)) {
        QTextFrameFormat ff = td->rootFrame()->frameFormat();
        ff.setLeftMargin(SettingsStore::toInt(rd(prnLeftMargin), 1440) / 15.0);
        ff.setRightMargin(SettingsStore::toInt(rd(prnRightMargin), 1440) / 15.0);
        td->rootFrame()->setFrameFormat(ff);
    }
}

CFileDoc *CFileManager::createNewCFile()
{
    ++m_seq;
    auto *doc = new CFileDoc(QStringLiteral("CFile") + QString::number(m_seq));
    doc->setWindowState(std::clamp(SettingsStore::toInt(
        m_settings.read(m_app, CFileState.section, CFileState.key, CFileState.defaultValue), 0), 0, 2));
    applyDefaultFormats(doc);
    doc->setChanged(false);
    m_docs.push_back(doc);
    if (m_host) {
        m_host->showDoc(doc);
        applyViewMode(doc);
    }
    setActive(doc);
    Q_EMIT docsChanged();
    return doc;
}

QString CFileManager::cfileFolder() const
{
    return zx::cfileFolder(m_settings, m_app);
}

QString CFileManager::newCFilePath(const QString &name) const
{
    return cfilePathFor(cfileFolder(), name);
}

CFileDoc *CFileManager::createNamedCFile(const QString &path)
{
    CFileDoc *doc = createNewCFile();
    doc->setCaption(path);
    doc->setNewFile(true);
    Q_EMIT docsChanged();
    return doc;
}

bool CFileManager::gate()
{
    if (m_gate)
        return m_gate(numOfCFIles());
    if (numOfCFIles() > 99) {
        msg(QStringLiteral("There are too many opened CFiles..!") + kCrLf +
                QStringLiteral("Close some of them and try again."),
            {}, MsgButtons::Ok, 1, MsgIcon::Exclamation);
        return false;
    }
    const bool warnings = m_chronoWarnings ? m_chronoWarnings()
                                           : SettingsStore::toBool(m_settings.read(m_app, ShowWarnRV.section, ShowWarnRV.key,
                                                                                   ShowWarnRV.defaultValue), true);
    if (!warnings)
        return true;
    return msg(QStringLiteral("There are opened CFiles already.") + kCrLf +
                   QStringLiteral("Open another CFile.?"),
               {}, MsgButtons::YesNo, 2, MsgIcon::Question) == MsgAnswer::Yes;
}

void CFileManager::openDocument()
{
    bool again = true;
    while (again) {
        again = false;
        const QStringList files =
            m_chooser.openFiles(QStringLiteral("Select file(s) to open"), cfiletext::kFilter, true);
        for (const QString &path : files) {
            const QString name = fileTitle(path);
            const int cls = extClass(name);
            if (cls == 8 || cls == 9) {
                QString text = QStringLiteral("File name ''") + name;
                if (cls == 8)
                    text += QStringLiteral("'' has invalid file extension") + kCrLf + cfiletext::kValidExt;
                else
                    text += QStringLiteral("'' has no file extension");
                const MsgAnswer a = msg(text, {}, MsgButtons::AbortRetryIgnore, 1, MsgIcon::Exclamation);
                if (a == MsgAnswer::Abort)
                    return;
                if (a == MsgAnswer::Retry) {
                    again = true;
                    break;
                }
                continue;  // Ignore: skip this file
            }
            CFileDoc *doc = createNewCFile();
            const FileError e = loadCFileText(*doc->document(), path, isRichClass(cls));
            if (e.badRichText) {
                // The new empty CFile stays open.
                doc->setChanged(false);
                msg(e.description, {}, MsgButtons::Ok, 1, MsgIcon::Critical);
                return;
            }
            if (e) {
                doc->setChanged(false);
                report(e.number, e.description, QStringLiteral("modDocument/OpenDocument"));
                return;
            }
            doc->setCaption(path);
            doc->setChanged(false);
            doc->setCaret(QTextCursor(doc->document()));
            rememberCFileFolder(m_settings, m_app, path);
            m_mru.add(path);
            Q_EMIT mruChanged();
            Q_EMIT docsChanged();
        }
    }
    if (m_active && SettingsStore::toBool(m_settings.read(m_app, FormatSetDefalt.section, FormatSetDefalt.key,
                                                          FormatSetDefalt.defaultValue), false)) {
        if (m_host)
            m_host->applyBackground(m_active, vbColor(SettingsStore::toInt(
                m_settings.read(m_app, FontBackColor.section, FontBackColor.key, FontBackColor.defaultValue), 0xFFFFFF)));
        applyViewMode(m_active);
    }
}

bool CFileManager::openPath(const QString &path, const QString &location)
{
    CFileDoc *doc = createNewCFile();
    const FileError e = loadCFileText(*doc->document(), path, endsWithRtf(path));
    doc->setChanged(false);
    if (e) {
        if (e.badRichText)
            msg(e.description, {}, MsgButtons::Ok, 1, MsgIcon::Critical);
        else
            report(e.number, e.description, location);
        return false;
    }
    doc->setCaption(path);
    doc->setCaret(QTextCursor(doc->document()));
    m_mru.add(path);
    Q_EMIT mruChanged();
    Q_EMIT docsChanged();
    return true;
}

bool CFileManager::writeDoc(CFileDoc *doc, const QString &path, bool rich, const QString &location)
{
    const FileError e = saveCFileText(*doc->document(), path, rich);
    if (e) {
        // The document, its caption and its changed flag stay as they were.
        report(e.number, e.description, location);
        return false;
    }
    doc->setCaption(path);
    doc->setChanged(false);
    doc->setNewFile(false);
    m_mru.add(path);
    Q_EMIT mruChanged();
    Q_EMIT docsChanged();
    return true;
}

bool CFileManager::mayReplace(CFileDoc *doc, const QString &path)
{
    if (!doc->isNewFile() || !QFileInfo::exists(path))
        return true;
    // The question the Save As dialog asks before it replaces a file.
    return msg(QDir::toNativeSeparators(path) + QStringLiteral(" already exists.") + kCrLf +
                   QStringLiteral("Do you want to replace it?"),
               QStringLiteral("Confirm Save As"), MsgButtons::YesNo, 2, MsgIcon::Exclamation) == MsgAnswer::Yes;
}

bool CFileManager::saveCFile(CFileDoc *doc)
{
    if (!doc)
        return false;
    if (isDefaultName(doc->caption()))
        return saveAs(doc);
    QString name = doc->caption();
    int cls = extClass(name);
    if (cls == 9) {
        name += QStringLiteral(".rtf");
        cls = 0;
    } else if (cls == 8) {
        logPadBox(QStringLiteral("''") + lastFour(name) + QStringLiteral("'' has unknown file extension"), {});
        return false;
    }
    if (!mayReplace(doc, name))
        return false;
    return writeDoc(doc, name, isRichClass(cls), QStringLiteral("moxCFile-SaveCFile-(3)"));
}

// The "Save As" dialog with the extension check; false on Cancel or a failed write.
bool CFileManager::saveAsWithDialog(CFileDoc *doc, const QString &proposed, const QString &location)
{
    for (;;) {
        const QString path = m_chooser.saveFile(QStringLiteral("Save As"), proposed, cfiletext::kFilter);
        if (path.isEmpty())
            return false;
        const QString name = fileTitle(path);
        const int cls = extClass(name);
        if (cls == 8 || cls == 9) {
            const QString text = QStringLiteral("File name ''") + name +
                                 (cls == 8 ? QStringLiteral("'' has invalid file extension")
                                           : QStringLiteral("'' has no file extension")) +
                                 kCrLf + cfiletext::kValidExt;
            if (msg(text, {}, MsgButtons::RetryCancel, 1, MsgIcon::Exclamation) == MsgAnswer::Retry)
                continue;
            return false;
        }
        if (!writeDoc(doc, path, isRichClass(cls), location.isEmpty() ? QStringLiteral("modCFile/SaveAs->") + path : location))
            return false;
        rememberCFileFolder(m_settings, m_app, path);
        return true;
    }
}

bool CFileManager::saveAs(CFileDoc *doc)
{
    if (!doc)
        return false;
    QString proposed = fileTitle(doc->caption());
    if (extClass(proposed) == 9)
        proposed += QStringLiteral(".rtf");
    return saveAsWithDialog(doc, proposed, {});
}

bool CFileManager::saveAll()
{
    const int n = numOfCFIles();
    for (int i = 0; i < n && m_active; ++i) {
        CFileDoc *doc = m_active;
        bool ok;
        if (isDefaultName(doc->caption())) {
            QString proposed = doc->caption();
            if (extClass(proposed) == 9)
                proposed += QStringLiteral(".rtf");
            ok = saveAsWithDialog(doc, proposed, QStringLiteral("modCFile/SaveAll"));
        } else {
            QString name = doc->caption();
            int cls = extClass(name);
            if (cls == 9) {
                name += QStringLiteral(".rtf");
                cls = 0;
            }
            if (cls == 8) {
                logPadBox(QStringLiteral("''") + lastFour(name) + QStringLiteral("'' has unknown file extension"), {});
                return false;
            }
            ok = mayReplace(doc, name) && writeDoc(doc, name, isRichClass(cls), QStringLiteral("modCFile/SaveAll"));
        }
        // Cancel or a failed write ends the whole command; the document stays open.
        if (!ok)
            return false;
        closeDoc(doc);
    }
    return true;
}

bool CFileManager::saveSelectionAs()
{
    CFileDoc *doc = m_active;
    if (!doc)
        return false;
    const QTextDocumentFragment frag = doc->caret().selection();
    // The hidden box of the main window: a scratch document holding the selection.
    QTextDocument hidden;
    hidden.setDefaultFont(doc->document()->defaultFont());
    QTextCursor(&hidden).insertFragment(frag);
    if (auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        auto *mime = new QMimeData;
        mime->setHtml(frag.toHtml());
        mime->setText(frag.toPlainText());
        gui->clipboard()->setMimeData(mime);
    }
    const QString path = m_chooser.saveFile(QStringLiteral("Save Selection As"), fileTitle(doc->caption()),
                                            cfiletext::kFilter);
    if (path.isEmpty())
        return false;
    const FileError e = saveCFileText(hidden, path, endsWithRtf(path));
    if (e) {
        report(e.number, e.description, QStringLiteral("modDocument\\SaveSelectionAs"));
        return false;
    }
    return true;
}

void CFileManager::revertDocument()
{
    CFileDoc *doc = m_active;
    // A never-saved document has no file to go back to.
    if (!doc || doc->caption().startsWith(QLatin1String("Document")) || !doc->bChanged() ||
        isDefaultName(doc->caption()))
        return;
    if (msg(QStringLiteral("Do you want to revert [") + doc->caption() + QStringLiteral("] to last saved version ?"),
            QStringLiteral("Zentrix - Revert"), MsgButtons::YesNo, 2, MsgIcon::Question) != MsgAnswer::Yes)
        return;
    const FileError e = loadCFileText(*doc->document(), doc->caption(), endsWithRtf(doc->caption()));
    if (e) {
        report(e.number, e.description, QStringLiteral("modDocument\\RevertDocument"));
        return;
    }
    doc->setChanged(false);
    doc->setCaret(QTextCursor(doc->document()));
    Q_EMIT docsChanged();
}

void CFileManager::forget(CFileDoc *doc)
{
    const bool wasActive = (m_active == doc);
    Q_EMIT closing(doc);
    std::erase(m_docs, doc);
    if (m_host)
        m_host->closeDoc(doc);
    if (wasActive || m_active == doc) {
        // The most recently created CFile that is left becomes the active one.
        CFileDoc *next = m_docs.empty() ? nullptr : m_docs.back();
        m_active = next;
        if (m_host && next)
            m_host->activateDoc(next);
        Q_EMIT activeChanged(next);
    }
    doc->deleteLater();
    Q_EMIT docsChanged();
}

bool CFileManager::closeDoc(CFileDoc *doc)
{
    if (!doc)
        return true;
    if (doc->bChanged() && !doc->isEmptyText()) {
        const MsgAnswer a = msg(QStringLiteral("File ") + doc->caption() + QStringLiteral(" has changed !") + kCrLf +
                                    QStringLiteral("Save changes ?"),
                                QStringLiteral("Zentrix"), MsgButtons::YesNoCancel, 3, MsgIcon::Question);
        if (a == MsgAnswer::Cancel)
            return false;
        // A save that was cancelled or failed keeps the window, so no text is lost.
        if (a == MsgAnswer::Yes && !saveCFile(doc))
            return false;
    }
    if (doc->windowState() != 1)
        m_settings.write(m_app, CFileState.section, CFileState.key, QString::number(doc->windowState()));
    forget(doc);
    return true;
}

bool CFileManager::closeAll()
{
    while (!m_docs.empty())
        if (!closeDoc(m_docs.back()))
            return false;
    return true;
}

bool CFileManager::needActiveCFile()
{
    if (m_active)
        return false;
    if (msg(QStringLiteral("There Are No Opened CFiles..!") + kCrLf + QStringLiteral("Create a New CFile.?"), {},
            MsgButtons::YesNo, 2, MsgIcon::Question) == MsgAnswer::Yes)
        createNewCFile();
    return m_active == nullptr;
}

// ---------------------------------------------------------------- File menu

void CFileManager::mnuFileNew()
{
    if (m_docs.empty() || gate())
        createNewCFile();
    Q_EMIT docsChanged();
}

void CFileManager::mnuFileOpen()
{
    if (m_docs.empty() || gate())
        openDocument();
    Q_EMIT docsChanged();
}

void CFileManager::mnuFileClose()
{
    if (!m_active)
        logPadBox(kNoOpenCFile);
    else
        closeDoc(m_active);
    Q_EMIT docsChanged();
}

void CFileManager::mnuFileCloseAll()
{
    if (m_docs.empty())
        logPadBox(QStringLiteral("No open CFiles!..."));
    else
        closeAll();
    Q_EMIT docsChanged();
}

void CFileManager::mnuFileSave()
{
    if (!m_active)
        logPadBox(kNoOpenCFile);
    else
        saveCFile(m_active);
    Q_EMIT docsChanged();
}

void CFileManager::mnuFileSaveAs()
{
    if (!m_active)
        logPadBox(QStringLiteral("No Open CFiles !"));
    else
        saveAs(m_active);
    Q_EMIT docsChanged();
}

void CFileManager::mnuFileSaveAll()
{
    if (!m_active)
        logPadBox(kNoOpenCFile);
    else
        saveAll();
    Q_EMIT docsChanged();
}

void CFileManager::mnuFileSaveSelectionAs()
{
    if (!m_active)
        logPadBox(kNoOpenCFile);
    else
        saveSelectionAs();
    Q_EMIT docsChanged();
}

void CFileManager::mnuFileRevert()
{
    if (!m_active)
        logPadBox(kNoOpenCFile);
    else
        revertDocument();
    Q_EMIT docsChanged();
}

void CFileManager::mnuFileMRUItem(const QString &path)
{
    if (!fileExists(path)) {
        logPadBox(QStringLiteral("File doesn't exists!"), QStringLiteral("LogPad - MRUItem"));
        m_mru.remove(path);
        m_mru.save();
        Q_EMIT mruChanged();
        return;
    }
    openPath(path, QStringLiteral("frmMDI\\mnuFileMRUItem_Click"));
    Q_EMIT docsChanged();
}

void CFileManager::openFromFileBar(const QString &folder, const QString &name)
{
    QString path = folder;
    if (!path.endsWith(QLatin1Char('\\')) && !path.endsWith(QLatin1Char('/')))
        path += QDir::separator() == QLatin1Char('\\') ? QStringLiteral("\\") : QStringLiteral("/");
    path += name;
    if (fileExists(path))
        openPath(path, QStringLiteral("frmMDI\\fileBar"));
}

void CFileManager::mnuCFileReSeq()
{
    if (!m_docs.empty()) {
        const QString text = QStringLiteral("Current sequence number is ") + QString::number(m_seq + 1) + kCrLf + kCrLf +
                             QStringLiteral("There are active CFiles present.!") + kCrLf +
                             QStringLiteral("Reset Sequence Number Anyway...?  ");
        if (msg(text, {}, MsgButtons::YesNo, 2, MsgIcon::Question) != MsgAnswer::Yes)
            return;
    }
    m_seq = 0;
}

QString CFileManager::lineDisplay(int line, int total)
{
    const QLocale grouped(QLocale::English, QLocale::UnitedStates);
    return QStringLiteral("Line:") + grouped.toString(line) + QStringLiteral(" tot:") + grouped.toString(total);
}

} // namespace zx

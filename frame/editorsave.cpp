// guardar_fichero: the document of the current window saved by the ending
// of the path. Every kind is written to a temporary file beside the target
// and renamed over it, so a failed save leaves the old file as it was.

#include "frame/editor.h"

#include "frame/mdichild.h"
#include "textctl/txtextcontrol.h"

#include <QDataStream>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <array>
#include <cstdio>

namespace frame {

namespace {

constexpr qint64 kFramedHeaderSize = 28;

QByteArray framedHeader(const TXTextControl &control)
{
    QByteArray header;
    QDataStream out(&header, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const std::array<qint32, 7> fields{23,
                                       control.PageMarginL(),
                                       control.PageMarginT(),
                                       control.PageMarginR(),
                                       control.PageMarginB(),
                                       control.PageHeight(),
                                       control.PageWidth()};
    for (qint32 field : fields)
        out << field;
    return header;
}

void pageToLoadSave(TXTextControl &control)
{
    control.setLoadSaveAttribute(0, control.PageWidth());
    control.setLoadSaveAttribute(1, control.PageHeight());
    control.setLoadSaveAttribute(2, control.PageMarginL());
    control.setLoadSaveAttribute(3, control.PageMarginT());
    control.setLoadSaveAttribute(4, control.PageMarginR());
    control.setLoadSaveAttribute(5, control.PageMarginB());
}

}  // namespace

// The framed format: the 28-byte header, then the control's own format. The
// header goes to a temporary file beside the target, the control writes
// after it, and the finished file replaces the target in one rename.
bool Editor::guardarEnArchivoEnmarcado(TXTextControl &control, const QString &path, bool *openFailed)
{
    const QFileInfo target(path);
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName()
                        + QStringLiteral(".XXXXXX"));
    if (!temp.open()) {
        *openFailed = true;
        mensaje(QStringLiteral("No se puede abrir el fichero: ") + path);
        return false;
    }
    const QByteArray header = framedHeader(control);
    bool ok = temp.write(header) == header.size() && temp.flush();
    temp.close();
    pageToLoadSave(control);
    ok = ok && control.Save(temp.fileName(), kFramedHeaderSize);
    if (ok && std::rename(QFile::encodeName(temp.fileName()).constData(),
                          QFile::encodeName(target.absoluteFilePath()).constData()) == 0) {
        temp.setAutoRemove(false);
        return true;
    }
    return false;
}

bool Editor::guardar_fichero(const QString &path)
{
    MDIchild *child = m_activo;
    if (!child)
        return false;
    TXTextControl &control = child->TXTextControl1();
    const QString ending = path.right(3).toUpper();
    m_services.puntero->set(platform::PointerBusy);
    bool ok = false;
    bool reported = false;
    if (ending == u"TXT") {
        ok = control.Save(path, 0, 1);
    } else if (ending == u"RTF" || ending == u"DOC") {
        pageToLoadSave(control);
        ok = control.Save(path, 0, ending == u"RTF" ? 5 : 9);
    } else {
        ok = guardarEnArchivoEnmarcado(control, path, &reported);
    }
    if (!ok && !reported) {
        mensaje(QStringLiteral("No se puede guardar el fichero: ") + path);
    } else if (ok) {
        child->setCaption(path);
        if (const int slot = slotOf(child))
            m_estados[slot].modificado = kFalso;
    }
    m_services.puntero->set(platform::PointerDefault);
    return ok;
}

}  // namespace frame

#include "office/spellingdictionary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <hunspell/hunspell.hxx>

namespace office {

QString SpellingDictionary::defaultDictionaryDir()
{
    return QStringLiteral("/usr/share/hunspell");
}

QString SpellingDictionary::defaultPersonalPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/palabras.dic");
}

SpellingDictionary::SpellingDictionary(const QString &dictionaryDir, const QString &personalPath)
    : m_personalPath(personalPath)
{
    const QString aff = QDir(dictionaryDir).filePath(QStringLiteral("es_ES.aff"));
    const QString dic = QDir(dictionaryDir).filePath(QStringLiteral("es_ES.dic"));
    // Hunspell reads a missing file as an empty dictionary that knows nothing.
    if (!QFileInfo::exists(aff) || !QFileInfo::exists(dic))
        return;
    m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData());
    QFile personal(m_personalPath);
    if (!personal.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    while (!personal.atEnd()) {
        const QString word = QString::fromUtf8(personal.readLine()).trimmed();
        if (!word.isEmpty())
            m_hunspell->add(word.toStdString());
    }
}

SpellingDictionary::~SpellingDictionary() = default;

bool SpellingDictionary::isCorrect(const QString &word) const
{
    return !m_hunspell || m_hunspell->spell(word.toStdString());
}

QStringList SpellingDictionary::suggestions(const QString &word) const
{
    QStringList result;
    if (!m_hunspell)
        return result;
    for (const std::string &suggestion : m_hunspell->suggest(word.toStdString()))
        result.append(QString::fromStdString(suggestion));
    return result;
}

bool SpellingDictionary::addToPersonal(const QString &word)
{
    if (!m_hunspell || word.trimmed().isEmpty())
        return false;
    m_hunspell->add(word.trimmed().toStdString());
    QDir().mkpath(QFileInfo(m_personalPath).absolutePath());
    QFile personal(m_personalPath);
    if (!personal.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return false;
    return personal.write((word.trimmed() + u'\n').toUtf8()) > 0;
}

SpellingDictionary &diccionario()
{
    static SpellingDictionary shared;
    return shared;
}

}  // namespace office

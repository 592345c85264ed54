// libFuzzer harness of the generator's command line: any line parses or
// fails with a message, and a line judged valid can only name files inside
// the program directory's plant/ and fotos/.
#include "generator/commandline.h"

#include <QDir>

#include <cstdint>
#include <cstdlib>

namespace {

bool staysIn(const QString &folder, const QString &name)
{
    const QString path = QDir::cleanPath(folder + u'/' + name);
    return path.startsWith(folder + u'/') && path.indexOf(u'/', folder.size() + 1) < 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QString linea = QString::fromUtf8(reinterpret_cast<const char *>(bytes), qsizetype(size));
    generator::GeneratorArguments args;
    QString error;
    if (!generator::parseCommandLine(linea, &args, &error)) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    if (args.wformato.size() > 1 || args.wdestino.size() > 1)
        std::abort();
    if (!generator::judgeArguments(args).isEmpty())
        return 0;
    const QString program = QStringLiteral("/programa");
    if (!staysIn(program + QStringLiteral("/plant"), args.wplantilla + QStringLiteral(".rtf"))
        || !staysIn(program + QStringLiteral("/fotos"), args.wfichero.trimmed() + QStringLiteral(".rtf"))
        || !staysIn(program, args.wfichero + QStringLiteral(".txt")))
        std::abort();
    return 0;
}

#include "testsupport.h"

#include "platform/commanderror.h"

namespace zavevad::test {

QString dataPath(const QString &fileName)
{
    return QStringLiteral(ZAVEVAD_TEST_DATA_DIR "/") + fileName;
}

QString examplesPath(const QString &fileName)
{
    return QStringLiteral(ZAVEVAD_EXAMPLES_DIR "/") + fileName;
}

QString commandErrorOf(const std::function<void()> &command)
{
    try {
        command();
    } catch (const CommandError &error) {
        return error.message();
    }
    return QString();
}

} // namespace zavevad::test

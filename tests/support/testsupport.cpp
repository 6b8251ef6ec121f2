#include "testsupport.h"

namespace zavevad::test {

QString dataPath(const QString &fileName)
{
    return QStringLiteral(ZAVEVAD_TEST_DATA_DIR "/") + fileName;
}

QString examplesPath(const QString &fileName)
{
    return QStringLiteral(ZAVEVAD_EXAMPLES_DIR "/") + fileName;
}

} // namespace zavevad::test

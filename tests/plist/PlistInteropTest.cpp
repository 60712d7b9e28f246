// Property lists written by Python's plistlib, in every encoding XML allows,
// read by us, written back, and read again by plistlib: nothing may change.
#include "plist/Plist.h"
#include "support/RunPython.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

namespace {

// argv: write PATH ENCODING | compare PATH. The value holds what 32-bit
// dates, signed 64-bit integers and careless text escaping lose.
const char* script = R"(
import datetime, plistlib, sys
value = {
    'dates': [datetime.datetime(1, 1, 1), datetime.datetime(1900, 1, 1, 12, 30, 5),
              datetime.datetime(2100, 1, 1), datetime.datetime(9999, 12, 31, 23, 59, 59)],
    'integers': [2**64 - 1, 2**63, 2**63 - 1, -2**63, 0, -1],
    'reals': [0.1, 1e300, -2.5e-300, float('inf'), 25.033964157104492],
    'text': 'a\tb\nc & <d> ]]> 中文 \U0001F600 café',
    'data': bytes(range(256)) * 3,
    'nested': {'x': [True, False, {}, [], b'', '']},
}
if sys.argv[1] == 'write':
    encoding = sys.argv[3]
    text = plistlib.dumps(value).decode('utf-8')
    if encoding == 'utf-8-bom':
        raw = b'\xef\xbb\xbf' + text.encode('utf-8')
    else:
        text = text.replace('encoding="UTF-8"', 'encoding="%s"' % encoding)
        raw = text.encode(encoding.lower(), 'xmlcharrefreplace')
    assert plistlib.loads(raw) == value
    open(sys.argv[2], 'wb').write(raw)
else:
    with open(sys.argv[2], 'rb') as f:
        back = plistlib.load(f)
    assert back == value, repr(back)
)";

TEST(PlistInterop, WhatPlistlibWritesComesBackUnchanged) {
    for (const char* encoding : {"UTF-8", "utf-8-bom", "UTF-16", "ISO-8859-1"}) {
        QTemporaryDir dir;
        const QString theirs = dir.filePath("theirs.plist");
        const QString ours = dir.filePath("ours.plist");
        runPython(script, {"write", theirs, encoding});

        const PlistReadResult read = readPlistFile(theirs);
        ASSERT_TRUE(read.value) << encoding << ": " << read.error.toStdString();
        const PlistDict& dict = *read.value->asDict();
        EXPECT_EQ(*dict.value("dates")->asArray()->front().asDate(),
                  QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC));
        EXPECT_EQ(*dict.value("integers")->asArray()->front().asUnsigned(),
                  std::numeric_limits<quint64>::max());
        EXPECT_TRUE(dict.value("text")->asString()->endsWith(QString::fromUtf8("café")));

        QString error;
        ASSERT_TRUE(writePlistFile(ours, *read.value, &error)) << error.toStdString();
        runPython(script, {"compare", ours});
    }
}

} // namespace

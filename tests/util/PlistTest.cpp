#include "util/Plist.h"
#include "util/PlistWriteFailure.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <limits>

namespace {

QDateTime utc(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
}

QByteArray document(const QByteArray& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n" + body +
           "\n</plist>\n";
}

QByteArray nestedArrays(int depth, const QByteArray& innermost = QByteArray()) {
    return document(QByteArray("<array>").repeated(depth) + innermost +
                    QByteArray("</array>").repeated(depth));
}

PlistValue readBack(const PlistValue& value) {
    QString error;
    const std::optional<QByteArray> xml = writePlist(value, &error);
    EXPECT_TRUE(xml) << error.toStdString();
    PlistReadResult read = readPlist(xml.value_or(QByteArray()));
    EXPECT_TRUE(read.value) << read.error.toStdString();
    return read.value.value_or(PlistValue());
}

QByteArray allBytes() {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    return bytes;
}

TEST(Plist, EveryKindOfValueReadsBackEqual) {
    PlistDict inner;
    inner.insert("z", 1);
    inner.insert("a", PlistValue::Array{QByteArray(), PlistValue::Array{}, PlistDict{}});
    const PlistValue values[] = {
        QString::fromUtf8("a<b>&c \"'\t中文 ]]>"),
        QString(),
        0.1,
        double(25.033964f),
        -1e300,
        0.0,
        qint64(0),
        qint64(-5),
        std::numeric_limits<qint64>::max(),
        std::numeric_limits<qint64>::min(),
        true,
        false,
        utc(2015, 6, 30, 6, 5, 7),
        utc(1969, 7, 20, 20, 17, 40),
        QByteArray("\xff\xd8\xff\xe0 jpeg"),
        allBytes(),
        QByteArray(),
        PlistValue::Array{},
        PlistValue::Array{1, "two", 3.5, PlistValue::Array{false}},
        PlistDict{},
        inner,
    };
    for (const PlistValue& value : values)
        EXPECT_EQ(readBack(value), value) << "type " << int(value.type());
}

TEST(Plist, DictionariesKeepTheirKeyOrder) {
    PlistDict dict;
    for (const char* key : {"pk", "state", "Chkno", "abc", "photos_1"})
        dict.insert(key, key);
    const PlistValue value = readBack(dict);
    const PlistDict* back = value.asDict();
    ASSERT_TRUE(back);
    QStringList keys;
    for (const auto& item : *back)
        keys << item.first;
    EXPECT_EQ(keys, QStringList({"pk", "state", "Chkno", "abc", "photos_1"}));
}

TEST(Plist, WritesTheElementTypesOfTheXmlForm) {
    PlistDict dict;
    dict.insert("s", "x");
    dict.insert("r", 0.5);
    dict.insert("i", qint64(-7));
    dict.insert("b", true);
    dict.insert("d", utc(2015, 6, 30, 6, 5, 7));
    dict.insert("data", QByteArray("hello"));
    const QByteArray xml = writePlist(dict).value_or(QByteArray());
    for (const char* element :
         {"<key>s</key>\n\t<string>x</string>", "<key>r</key>\n\t<real>0.5</real>",
          "<key>i</key>\n\t<integer>-7</integer>", "<key>b</key>\n\t<true/>",
          "<key>d</key>\n\t<date>2015-06-30T06:05:07Z</date>", "aGVsbG8=", "<!DOCTYPE plist"})
        EXPECT_TRUE(xml.contains(element)) << element << "\nin\n" << xml.toStdString();
    EXPECT_TRUE(xml.endsWith("</plist>\n"));
}

TEST(Plist, ReadsWhatOtherWritersWrite) {
    const QByteArray xml = document(R"(<!-- written by hand -->
<dict>
  <key>when</key> <date>2015-06-30T06:05:07Z</date>
  <key>bytes</key> <data>
    /9j/4AAQ
    SkZJRg==
  </data>
  <key>n</key> <integer>42</integer>
  <key>x</key> <real>1</real>
  <key>no</key> <false/>
  <key>text</key> <string>A&amp;B &lt;中&gt; &#x41;</string>
  <key>empty</key> <string/>
  <key>list</key> <array><integer>1</integer><dict/></array>
</dict>)");
    PlistDict expected;
    expected.insert("when", utc(2015, 6, 30, 6, 5, 7));
    expected.insert("bytes", QByteArray::fromBase64("/9j/4AAQSkZJRg=="));
    expected.insert("n", qint64(42));
    expected.insert("x", 1.0);
    expected.insert("no", false);
    expected.insert("text", QString::fromUtf8("A&B <中> A"));
    expected.insert("empty", QString());
    expected.insert("list", PlistValue::Array{1, PlistDict{}});
    const PlistReadResult read = readPlist(xml);
    ASSERT_TRUE(read.value) << read.error.toStdString();
    EXPECT_EQ(*read.value, PlistValue(expected));
}

TEST(Plist, DatesKeepWholeSecondsRoundedDown) {
    const struct {
        QDateTime written;
        QDateTime read;
    } cases[] = {
        {utc(2015, 6, 30, 6, 5, 7, 999), utc(2015, 6, 30, 6, 5, 7)},
        {utc(2000, 12, 31, 23, 59, 58, 500), utc(2000, 12, 31, 23, 59, 58)},
        {utc(1969, 12, 31, 23, 59, 59, 1), utc(1969, 12, 31, 23, 59, 59)},
        // A local time is the same instant.
        {QDateTime(QDate(2015, 6, 30), QTime(14, 5, 7), QTimeZone("Asia/Taipei")),
         utc(2015, 6, 30, 6, 5, 7)},
        {utc(1932, 12, 13, 20, 45, 53), utc(1932, 12, 13, 20, 45, 53)},
        {utc(2069, 1, 19, 3, 14, 6), utc(2069, 1, 19, 3, 14, 6)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readBack(c.written), PlistValue(c.read)) << c.written.toString().toStdString();
}

TEST(Plist, DatesOutsideTheRangeAreErrorsNotOtherDates) {
    for (const QDateTime& date : {utc(1900, 1, 1, 0, 0, 0), utc(2100, 1, 1, 0, 0, 0),
                                  utc(2069, 1, 19, 3, 14, 8), QDateTime()}) {
        QString error;
        EXPECT_FALSE(writePlist(date, &error)) << date.toString().toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    for (const char* date : {"1900-01-01T00:00:00Z", "2100-01-01T00:00:00Z"}) {
        const PlistReadResult read =
            readPlist(document(QByteArray("<array><date>") + date + "</date></array>"));
        EXPECT_FALSE(read.value) << date;
        EXPECT_EQ(read.error, "date out of range");
    }
}

TEST(Plist, ValuesTheXmlFormCannotHoldAreErrors) {
    PlistValue tooDeep = PlistValue::Array{};
    for (int i = 0; i < 600; ++i)
        tooDeep = PlistValue::Array{tooDeep};
    const PlistValue values[] = {
        PlistValue(),
        PlistValue::Array{1, PlistValue()},
        tooDeep,
    };
    for (const PlistValue& value : values) {
        QString error;
        EXPECT_FALSE(writePlist(value, &error));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(Plist, NulCharactersAreWrittenAsReplacementCharacters) {
    PlistDict dict;
    dict.insert(QString::fromUtf16(u"a\0b", 3), QString::fromUtf16(u"x\0y\0", 4));
    PlistDict expected;
    expected.insert(QString::fromUtf16(u"a\uFFFDb"), QString::fromUtf16(u"x\uFFFDy\uFFFD"));
    EXPECT_EQ(readBack(dict), PlistValue(expected));
}

TEST(Plist, BadInputIsAnErrorNeverACrash) {
    const QByteArray inputs[] = {
        "",
        "not a property list",
        "<plist>",
        "<plist><dict><key>a</key>",
        "<plist><array><string>x</array></plist>",
        document("<string>&#0;</string>"),
        QByteArray("<plist>\0<true/></plist>", 23),
        // A binary property list (bplist00) holding an array that contains itself.
        QByteArray::fromHex("62706c6973743030a1000801000000000000000000000000000000010000"
                            "00000000000100000000000000000000000000000009"),
    };
    for (const QByteArray& input : inputs) {
        const PlistReadResult read = readPlist(input);
        EXPECT_FALSE(read.value) << input.toStdString();
        EXPECT_FALSE(read.error.isEmpty()) << input.toStdString();
    }
}

TEST(Plist, TruncatedDocumentsNeverReadAsTheWhole) {
    PlistDict dict;
    dict.insert("photo", QByteArray(300, 'x'));
    dict.insert("list", PlistValue::Array{1, 2.5, "three", utc(2015, 6, 30, 6, 5, 7)});
    const QByteArray xml = *writePlist(dict);
    const qsizetype rootEnd = xml.lastIndexOf("</dict>");
    for (qsizetype length = 0; length < rootEnd; ++length) {
        const PlistReadResult read = readPlist(xml.left(length));
        EXPECT_FALSE(read.value && *read.value == PlistValue(dict)) << length;
    }
}

TEST(Plist, RandomBytesAreErrorsNeverCrashes) {
    QRandomGenerator random(20150630);
    const QByteArray valid = *writePlist(PlistValue::Array{PlistDict{}, "x", 1.5});
    for (int i = 0; i < 2000; ++i) {
        QByteArray input = valid;
        // Mostly damaged documents, sometimes plain noise.
        if (i % 10 == 0) input = QByteArray(int(random.bounded(1, 600)), '\0');
        for (int n = int(random.bounded(1, 8)); n > 0; --n)
            input[random.bounded(int(input.size()))] = char(random.bounded(256));
        const PlistReadResult read = readPlist(input);
        EXPECT_TRUE(read.value || !read.error.isEmpty()) << i;
    }
}

TEST(Plist, DeepNestingIsRefusedAtAnyDepth) {
    const PlistReadResult ok = readPlist(nestedArrays(500));
    EXPECT_TRUE(ok.value) << ok.error.toStdString();
    // Deep enough that a plain recursive walk or free would overflow the stack,
    // and once with a wide list at the bottom.
    for (const QByteArray& xml : {nestedArrays(600), nestedArrays(300000),
                                  nestedArrays(3000, QByteArray("<true/>").repeated(200000))}) {
        const PlistReadResult read = readPlist(xml);
        EXPECT_FALSE(read.value);
        EXPECT_TRUE(read.error.contains("nested deeper")) << read.error.toStdString();
    }
}

TEST(PlistFile, WritesAndReadsAFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.plist");
    const PlistValue value = PlistValue::Array{PlistDict{}, QByteArray(100000, 'j')};
    ASSERT_TRUE(writePlistFile(path, value));
    const PlistReadResult read = readPlistFile(path);
    ASSERT_TRUE(read.value) << read.error.toStdString();
    EXPECT_EQ(*read.value, value);
}

TEST(PlistFile, AMissingFileOrFolderIsAnError) {
    QTemporaryDir dir;
    const PlistReadResult read = readPlistFile(dir.filePath("missing.plist"));
    EXPECT_FALSE(read.value);
    EXPECT_TRUE(read.error.contains("missing.plist"));
    QString error;
    EXPECT_FALSE(writePlistFile(dir.filePath("no/such/folder.plist"), 1, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(PlistFile, AFailedWriteLeavesTheOldFileAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath("store.plist");
    ASSERT_TRUE(writePlistFile(path, "old"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    // A large write fails as it is written; a small one only when the
    // buffered bytes reach the disk as the file is committed.
    for (const int size : {100000, 500}) {
        QString error;
        {
            FileSizeLimit limit(200);
            EXPECT_FALSE(writePlistFile(path, QByteArray(size, 'n'), &error)) << size;
        }
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_FALSE(writePlistFile(path, PlistValue::Array{PlistValue()}));

    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"store.plist"});
}

} // namespace

#include "plist/Plist.h"
#include "plist/PlistWriteFailure.h"
#include "support/PlistSameness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTimeZone>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string_view>

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

// Reads xml as readPlist does, once the plain reader and the XML reader were
// seen to read it the same.
PlistReadResult readBothWays(const QByteArray& xml) {
    EXPECT_TRUE(readsTheSameBothWays(xml)) << xml.left(400).toStdString();
    return readPlist(xml);
}

// The value written and read back; what our writer writes is always plain.
PlistValue readBack(const PlistValue& value) {
    QString error;
    const std::optional<QByteArray> xml = writePlist(value, &error);
    EXPECT_TRUE(xml) << error.toStdString();
    EXPECT_TRUE(readPlainPlist(xml.value_or(QByteArray())));
    PlistReadResult read = readBothWays(xml.value_or(QByteArray()));
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
    const PlistReadResult read = readBothWays(xml);
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
        // Any year from 1 to 9999, far beyond 32-bit seconds.
        {utc(1932, 12, 13, 20, 45, 51), utc(1932, 12, 13, 20, 45, 51)},
        {utc(2069, 1, 19, 3, 14, 8), utc(2069, 1, 19, 3, 14, 8)},
        {utc(1900, 1, 1, 0, 0, 0), utc(1900, 1, 1, 0, 0, 0)},
        {utc(1, 1, 1, 0, 0, 0), utc(1, 1, 1, 0, 0, 0)},
        {utc(9999, 12, 31, 23, 59, 59, 999), utc(9999, 12, 31, 23, 59, 59)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readBack(c.written), PlistValue(c.read)) << c.written.toString().toStdString();
}

TEST(Plist, DatesBeyondTheYears1To9999AreErrorsNotOtherDates) {
    for (const QDateTime& date : {utc(10000, 1, 1, 0, 0, 0), utc(-1, 12, 31, 23, 59, 59),
                                  utc(1, 1, 1, 0, 0, 0).addMSecs(-1), QDateTime()}) {
        QString error;
        EXPECT_FALSE(writePlist(PlistValue::Array{date}, &error)) << date.toString().toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(Plist, ReadsEveryIntegerDateRealAndDataExactly) {
    const struct {
        const char* element;
        PlistValue value;
    } cases[] = {
        {"<integer>18446744073709551615</integer>", std::numeric_limits<quint64>::max()},
        {"<integer>9223372036854775808</integer>", quint64(1) << 63},
        {"<integer>9223372036854775807</integer>", std::numeric_limits<qint64>::max()},
        {"<integer>-9223372036854775808</integer>", std::numeric_limits<qint64>::min()},
        {"<integer> +42 </integer>", 42},
        {"<integer>0x1F</integer>", 31},
        {"<date>0001-01-01T00:00:00Z</date>", utc(1, 1, 1, 0, 0, 0)},
        {"<date>9999-12-31T23:59:59Z</date>", utc(9999, 12, 31, 23, 59, 59)},
        {"<date>1900-01-01T00:00:00Z</date>", utc(1900, 1, 1, 0, 0, 0)},
        // An offset from UTC is honoured.
        {"<date>2015-06-30T14:05:07+08:00</date>", utc(2015, 6, 30, 6, 5, 7)},
        {"<date> 2015-06-29T22:35:07-0730 </date>", utc(2015, 6, 30, 6, 5, 7)},
        {"<real>2.5e-3</real>", 0.0025},
        {"<real>-inf</real>", -std::numeric_limits<double>::infinity()},
        {"<data>aGVs\n\t bG8=</data>", QByteArray("hello")},
        {"<data>aGk=</data>", QByteArray("hi")},
        {"<data>a G\rV s bG 8 = </data>", QByteArray("hello")},
        {"<data>aGVs&#98;G8=</data>", QByteArray("hello")},
        {"<data/>", QByteArray()},
    };
    for (const auto& c : cases) {
        const PlistReadResult read = readBothWays(document(c.element));
        ASSERT_TRUE(read.value) << c.element << ": " << read.error.toStdString();
        EXPECT_EQ(*read.value, c.value) << c.element;
        EXPECT_EQ(readBack(c.value), c.value) << c.element;
    }
}

// Base64 is decoded four digits at a time where it can: every length of the
// data and every place of a line break reads back the same bytes.
TEST(Plist, DataOfEveryLengthWithLineBreaksAnywhere) {
    QRandomGenerator random(7);
    for (const int size : {1, 2, 3, 4, 5, 6, 7, 100, 1001, 100002}) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (char& byte : bytes)
            byte = char(random.bounded(256));
        const QByteArray base64 = bytes.toBase64();
        for (const int line : {1, 3, 5, 76}) {
            QByteArray text;
            for (qsizetype at = 0; at < base64.size(); at += line)
                text += base64.mid(at, line) + "\n\t";
            const PlistReadResult read = readBothWays(document("<data>" + text + "</data>"));
            ASSERT_TRUE(read.value) << size << " by " << line;
            EXPECT_EQ(*read.value, PlistValue(bytes)) << size << " by " << line;
        }
    }
}

TEST(Plist, TextThatCannotBeReadExactlyIsKeptAndWrittenBackUnchanged) {
    const struct {
        const char* element;
        const char* text;
    } cases[] = {
        {"date", "garbage"},
        {"date", "2015-02-30T00:00:00Z"},
        {"date", "2015-06-30T06:05:07.5Z"},
        {"date", "2015-06-30T06:05:07"},
        {"date", "0001-01-01T07:00:00+08:00"}, // before the year 1 in UTC
        {"integer", "abc"},
        {"integer", ""},
        {"integer", "18446744073709551616"},
        {"integer", "-9223372036854775809"},
        {"real", "1,5"},
        {"real", "1e999"},
        {"data", "aGVsbG8"}, // no padding: a byte would be lost
        {"data", "aG=VsbG8="},
        {"data", "a*b="},
        {"data", "aGk=="},
        {"data", "aGk=aGk="},
        {"data", "aGVs\xE4\xB8\xAD"
                 "bG8="},
    };
    for (const auto& c : cases) {
        const QByteArray element =
            QByteArray("<") + c.element + ">" + c.text + "</" + c.element + ">";
        const PlistReadResult read = readBothWays(document("<array>" + element + "</array>"));
        ASSERT_TRUE(read.value) << element.toStdString() << ": " << read.error.toStdString();
        const PlistUnread expected{c.element, c.text};
        EXPECT_EQ(read.value->asArray()->at(0), PlistValue(expected)) << element.toStdString();
        const QByteArray written = writePlist(*read.value).value_or(QByteArray());
        EXPECT_TRUE(written.contains("\t" + element + "\n")) << written.toStdString();
    }
}

TEST(Plist, ReadsEveryEncodingXmlAllows) {
    const QString body = QString::fromUtf8("<plist><dict><key>名</key><string>Café 中</string>"
                                           "<key>when</key><date>1900-01-01T00:00:00Z</date>"
                                           "</dict></plist>");
    const auto declared = [&](const char* encoding) {
        return QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>\n").arg(encoding) + body;
    };
    QByteArray utf16le(reinterpret_cast<const char*>(declared("UTF-16").utf16()),
                       declared("UTF-16").size() * 2);
    QStringEncoder toBigEndian(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom);
    // "名" and "中" as references: Latin-1 cannot hold them.
    const QByteArray latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                              "<plist><dict><key>&#21517;</key><string>Caf\xE9 &#20013;</string>"
                              "<key>when</key><date>1900-01-01T00:00:00Z</date></dict></plist>";
    const QByteArray inputs[] = {
        "\xEF\xBB\xBF" + declared("UTF-8").toUtf8(),
        "\xFF\xFE" + utf16le,
        QByteArray(toBigEndian(declared("UTF-16"))),
        latin1,
    };
    PlistDict expected;
    expected.insert(QString::fromUtf8("名"), QString::fromUtf8("Café 中"));
    expected.insert("when", utc(1900, 1, 1, 0, 0, 0));
    for (const QByteArray& input : inputs) {
        const PlistReadResult read = readBothWays(input);
        ASSERT_TRUE(read.value) << input.toHex().toStdString() << ": " << read.error.toStdString();
        EXPECT_EQ(*read.value, PlistValue(expected)) << input.toHex().toStdString();
    }
}

TEST(Plist, AKeyGivenTwiceKeepsItsPlaceAndTakesItsLastValue) {
    const PlistReadResult read = readBothWays(document(
        "<dict><key>a</key><integer>1</integer><key>b</key><true/><key>a</key><integer>2</integer>"
        "</dict>"));
    ASSERT_TRUE(read.value) << read.error.toStdString();
    PlistDict expected;
    expected.insert("a", 2);
    expected.insert("b", true);
    EXPECT_EQ(*read.value, PlistValue(expected));
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

TEST(Plist, TextXmlCannotCarryIsWrittenAsReplacementCharacters) {
    // Exactly these UTF-16 units (fromUtf16 would take a leading U+FFFE as a
    // byte-order mark).
    const auto units = [](std::u16string_view s) { return QStringView(s).toString(); };
    using namespace std::string_view_literals;
    const struct {
        QString written;
        QString read;
    } cases[] = {
        {units(u"x\0y\0"sv), units(u"x\uFFFDy\uFFFD")},
        {units(u"a\x01"
               "b\x1F\x7F\x0B\x0C"),
         units(u"a\uFFFD"
               "b\uFFFD\x7F\uFFFD\uFFFD")},
        {units(u"\uFFFE\uFFFF"), units(u"\uFFFD\uFFFD")},
        // Lone halves of a surrogate pair; a whole pair is one character.
        {units(u"\xD800.\xDC00\U0001F600"), units(u"\uFFFD.\uFFFD\U0001F600")},
        // Line ends, tabs and markup come back exactly.
        {units(u"a\r\nb\rc\td\ne <&> ]]>"), units(u"a\r\nb\rc\td\ne <&> ]]>")},
    };
    for (const auto& c : cases) {
        PlistDict dict;
        dict.insert(c.written, c.written);
        PlistDict expected;
        expected.insert(c.read, c.read);
        EXPECT_EQ(readBack(dict), PlistValue(expected)) << c.read.toStdString();
    }
}

TEST(Plist, BadInputIsAnErrorNeverACrash) {
    const QByteArray inputs[] = {
        "",
        "not a property list",
        "<plist>",
        "<plist><dict><key>a</key>",
        "<plist><array><string>x</array></plist>",
        document("<string>&#0;</string>"),
        document("<string>a\xF8\x90\x80\x80"
                 "b</string>"),
        document("<string>a\xFC\x84\x80\x80\x80\x80"
                 "b</string>"),
        document("<string>&undeclared;</string>"),
        "<!DOCTYPE plist [<!ENTITY a \"x\">]><plist><string>&a;</string></plist>",
        "<!DOCTYPE plist [<!ENTITY a SYSTEM \"/etc/passwd\">]><plist><string/></plist>",
        document("<dict><key>a</key></dict>"),
        document("<dict><string>no key</string></dict>"),
        document("<array><key>a</key></array>"),
        document("<string>a</string><string>b</string>"),
        document("<string>a<b/></string>"),
        document("<unknown/>"),
        QByteArray("<plist>\0<true/></plist>", 23),
        // A binary property list (bplist00) holding an array that contains itself.
        QByteArray::fromHex("62706c6973743030a1000801000000000000000000000000000000010000"
                            "00000000000100000000000000000000000000000009"),
    };
    for (const QByteArray& input : inputs) {
        const PlistReadResult read = readBothWays(input);
        EXPECT_FALSE(read.value) << input.toStdString();
        EXPECT_FALSE(read.error.isEmpty()) << input.toStdString();
    }
}

// Text between elements and elements the format does not know are read past,
// as plistlib reads past them; what they held is said.
TEST(Plist, StrayTextAndUnknownElementsAreReadPastAndSaid) {
    const struct {
        QByteArray body;
        PlistValue value;
        int skipped;
    } cases[] = {
        {"<array>text</array>", PlistValue::Array{}, 1},
        {"<array>x<dict><key>a</key><foo/><string>b</string></dict><bar>t</bar>y</array>",
         PlistValue::Array{[] {
             PlistDict dict;
             dict.insert("a", "b");
             return PlistValue(dict);
         }()},
         5},
        {"<array><wrap><string>kept</string></wrap></array>", PlistValue::Array{"kept"}, 1},
    };
    for (const auto& c : cases) {
        const PlistReadResult read = readBothWays(document(c.body));
        ASSERT_TRUE(read.value) << c.body.toStdString() << ": " << read.error.toStdString();
        EXPECT_EQ(*read.value, c.value) << c.body.toStdString();
        EXPECT_EQ(read.skipped.size(), c.skipped) << read.skipped.join("; ").toStdString();
        EXPECT_TRUE(read.skipped.front().startsWith("line 3: ")) << c.body.toStdString();
    }
    EXPECT_TRUE(readPlist(document("<string>plain</string>")).skipped.isEmpty());
}

TEST(Plist, NegativeZeroKeepsItsSign) {
    const std::optional<QByteArray> xml = writePlist(-0.0);
    ASSERT_TRUE(xml);
    EXPECT_TRUE(xml->contains("<real>-0</real>")) << xml->toStdString();
    const PlistValue value = readBack(-0.0);
    const double* back = value.asReal();
    ASSERT_TRUE(back);
    EXPECT_TRUE(*back == 0 && std::signbit(*back));
}

TEST(Plist, TruncatedDocumentsNeverReadAsTheWhole) {
    PlistDict dict;
    dict.insert("photo", QByteArray(300, 'x'));
    dict.insert("list", PlistValue::Array{1, 2.5, "three", utc(2015, 6, 30, 6, 5, 7)});
    const QByteArray xml = *writePlist(dict);
    const qsizetype rootEnd = xml.lastIndexOf("</dict>");
    for (qsizetype length = 0; length < rootEnd; ++length) {
        const PlistReadResult read = readBothWays(xml.left(length));
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
        const PlistReadResult read = readBothWays(input);
        EXPECT_TRUE(read.value || !read.error.isEmpty()) << i;
    }
}

TEST(Plist, DeepNestingIsRefusedAtAnyDepth) {
    const PlistReadResult ok = readBothWays(nestedArrays(500));
    EXPECT_TRUE(ok.value) << ok.error.toStdString();
    // Deep enough that a plain recursive walk or free would overflow the stack,
    // and once with a wide list at the bottom.
    for (const QByteArray& xml : {nestedArrays(600), nestedArrays(300000),
                                  nestedArrays(3000, QByteArray("<true/>").repeated(200000))}) {
        const PlistReadResult read = readBothWays(xml);
        EXPECT_FALSE(read.value);
        EXPECT_TRUE(read.error.contains("nested deeper")) << read.error.toStdString();
    }
}

// A file of any size is read whole by the plain reader; one that it leaves to
// the XML reader (here for a comment) streams from the file.
TEST(PlistFile, WritesAndReadsAFileOfAnySize) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.plist");
    for (const int dataBytes : {100000, 50 << 20}) {
        const PlistValue value = PlistValue::Array{PlistDict{}, QByteArray(dataBytes, 'j')};
        ASSERT_TRUE(writePlistFile(path, value));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        file.close();
        const QByteArray commented =
            QByteArray(written).replace("<plist ", "<!-- a comment -->\n<plist ");
        for (const QByteArray& bytes : {written, commented}) {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            file.close();
            const PlistReadResult read = readPlistFile(path);
            ASSERT_TRUE(read.value) << read.error.toStdString();
            EXPECT_EQ(*read.value, value) << dataBytes;
        }
    }
    EXPECT_GT(QFileInfo(path).size(), 64 << 20);
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
    // buffered bytes reach the disk as the file is committed. Both fail
    // part-way, after the first 200 bytes, and give the system's reason.
    for (const int size : {100000, 500}) {
        QString error;
        {
            FileSizeLimit limit(200);
            EXPECT_FALSE(writePlistFile(path, QByteArray(size, 'n'), &error)) << size;
        }
        EXPECT_TRUE(error.endsWith(": " + systemReason(EFBIG))) << error.toStdString();
    }
    EXPECT_FALSE(writePlistFile(path, PlistValue::Array{PlistValue()}));

    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"store.plist"});
}

} // namespace

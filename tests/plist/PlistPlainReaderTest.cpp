// The plain reader takes the plain form of a property list and gives up on
// anything else, and readPlist reads every document as the XML reader does.
#include "plist/PlistPlainReader.h"
#include "support/PlistSameness.h"
#include "support/RunPython.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray header = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                          "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                          "<plist version=\"1.0\">\n";

QByteArray document(const QByteArray& body) {
    return header + body + "\n</plist>\n";
}

TEST(PlistPlainReader, ReadsThePlainFormAsTheXmlReaderDoes) {
    const struct {
        QByteArray xml;
        PlistValue value;
    } cases[] = {
        {document("<string>a &lt;b&gt; &amp; &quot;c&quot; &apos;d&apos;</string>"),
         "a <b> & \"c\" 'd'"},
        {document("<string>&#13;&#x41;&#x1F600;&#20013;&#0010;</string>"),
         QString::fromUtf8("\rA\xF0\x9F\x98\x80中\n")},
        // U+007F, U+0080, U+FDD0 and U+1FFFE are characters of XML.
        {document("<string>\x7F\xC2\x80\xEF\xB7\x90\xF0\x9F\xBF\xBE</string>"),
         QString::fromUtf8("\x7F\xC2\x80\xEF\xB7\x90\xF0\x9F\xBF\xBE")},
        {document("<string>\xE4\xB8\xAD\xE6\x96\x87 caf\xC3\xA9 \xF0\x9F\x98\x80 ]] > \t</string>"),
         QString::fromUtf8("中文 café 😀 ]] > \t")},
        {document("<array><string/><dict/><array/><true/><false></false><data/></array>"),
         PlistValue::Array{"", PlistDict(), PlistValue::Array{}, true, false, QByteArray()}},
        {"<plist><integer> -12 </integer></plist>", qint64(-12)},
        {"<?xml version=\"1.0\" encoding=\"utf-8\"?><plist "
         "version=\"1.0\"><real>2.5</real></plist>",
         2.5},
        // A U+FEFF in text is a character like any other, wherever it stands.
        {document("<array><string>\xEF\xBB\xBFP0,C0</string><string>&amp;\xEF\xBB\xBFx</string>"
                  "<string>\xEF\xBB\xBF" +
                  QByteArray(70, 'y') + "</string><data>\xEF\xBB\xBF</data></array>"),
         PlistValue::Array{u"\uFEFFP0,C0"_s, u"&\uFEFFx"_s, u"\uFEFF"_s + QString(70, u'y'),
                           PlistUnread{"data", u"\uFEFF"_s}}},
        {document("<dict><key>k</key><string>first</string>"
                  "<key>\xEF\xBB\xBFk</key><string>second</string></dict>"),
         [] {
             PlistDict dict;
             dict.insert("k", "first");
             dict.insert(u"\uFEFFk"_s, "second");
             return PlistValue(dict);
         }()},
        {document("<dict>\n\t<key>k</key>\n\t<integer>1</integer>\n\t<key>k</key><date>x</date>"
                  "\n</dict>"),
         [] {
             PlistDict dict;
             dict.insert("k", PlistUnread{"date", "x"});
             return PlistValue(dict);
         }()},
    };
    for (const auto& c : cases) {
        const std::optional<PlistValue> plain = readPlainPlist(c.xml);
        ASSERT_TRUE(plain) << c.xml.toStdString();
        EXPECT_TRUE(samePlistValue(*plain, c.value)) << c.xml.toStdString();
        EXPECT_TRUE(readsTheSameBothWays(c.xml)) << c.xml.toStdString();
    }
}

// A key given twice keeps its first place and takes its last value, in a
// small dictionary (searched in order) and a large one (hashed).
TEST(PlistPlainReader, AKeyGivenTwiceInADictionaryOfAnySize) {
    for (const int size : {3, 32, 33, 40}) {
        QByteArray body = "<dict>";
        PlistDict expected;
        for (int i = 0; i < size; ++i) {
            body += "<key>k" + QByteArray::number(i) + "</key><integer>1</integer>";
            expected.insert("k" + QString::number(i), 1);
        }
        for (const int again : {0, size - 1}) {
            body += "<key>k" + QByteArray::number(again) + "</key><integer>2</integer>";
            expected.insert("k" + QString::number(again), 2);
        }
        const std::optional<PlistValue> plain = readPlainPlist(document(body + "</dict>"));
        ASSERT_TRUE(plain) << size;
        EXPECT_EQ(*plain, PlistValue(expected)) << size;
        EXPECT_TRUE(readsTheSameBothWays(document(body + "</dict>"))) << size;
    }
}

TEST(PlistPlainReader, LeavesAnythingElseToTheXmlReader) {
    const QByteArray others[] = {
        // Other forms of XML, which the XML reader reads.
        "\xEF\xBB\xBF" + document("<string>a bom</string>"),
        document("<!-- a comment --><string>a</string>"),
        document("<string>a<!-- a comment -->b</string>"),
        document("<string><![CDATA[<a>]]></string>"),
        document("<?pi x?><string>a</string>"),
        document("<string>a\r\nb\rc</string>"),
        document("<dict >\n<key>k</key><string>v</string></dict>"),
        document("<true />"),
        document("<string>&#X42;</string>"),
        "<?xml version='1.0' encoding='UTF-8'?><plist><string>a</string></plist>",
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><plist><string>caf\xE9</string></plist>",
        "<?xml version=\"1.0\"?><plist><string>a</string></plist>",
        "<plist version=\"1.1\"><string>a</string></plist>",
        "<plist xmlns=\"x\"><string>a</string></plist>",
        "<!DOCTYPE plist [<!ENTITY e \"x\">]><plist><string>&e;</string></plist>",
        // Errors, which the XML reader reports.
        document("<string>a &unknown; b</string>"),
        document("<string>a & b</string>"),
        document("<string>a ]]> b</string>"),
        document("<string>&#0;&#xD800;&#xFFFE;&#1114112;</string>"),
        document("<string>\x01</string>"),
        document("<string>\xC3\x28 \xE0\x80\x80 \xED\xA0\x80 \xF4\x90\x80\x80</string>"),
        // Lead bytes of the five- and six-byte forms that UTF-8 no longer has.
        document("<string>a\xF8\x90\x80\x80" "b</string>"),
        document("<string>a\xFC\x84\x80\x80\x80\x80" "b</string>"),
        document("<string>a</strin>"),
        document("<String>a</String>"),
        document("<integer><integer>1</integer></integer>"),
        document("<dict><key>k</key></dict>"),
        document("<dict><string>no key</string></dict>"),
        document("<array><key>k</key><string>v</string></array>"),
        document("<string>a</string><string>b</string>"),
        "<plist version=\"1.0\"></plist><string>after</string>",
        "<plist version=\"1.0\"></plist>",
        "<plist version=\"1.0\"><array></plist>",
        "<plist version=\"1.0\"><plist/></plist>",
        " <?xml version=\"1.0\" encoding=\"UTF-8\"?><plist/>",
        document("<array>" + QByteArray("<array>").repeated(plistMaxDepth) +
                 QByteArray("</array>").repeated(plistMaxDepth) + "</array>"),
    };
    for (const QByteArray& xml : others) {
        EXPECT_FALSE(readPlainPlist(xml)) << xml.left(400).toStdString();
        EXPECT_TRUE(readsTheSameBothWays(xml)) << xml.left(400).toStdString();
    }
    const QByteArray deepest = QByteArray("<array>").repeated(plistMaxDepth) +
                               QByteArray("</array>").repeated(plistMaxDepth);
    EXPECT_TRUE(readPlainPlist(document(deepest)));
}

// ASCII is checked eight bytes at a time: a control character is refused and
// a tab or a line feed taken wherever it stands in its word.
TEST(PlistPlainReader, ControlCharactersAtEveryPlaceOfAWord) {
    for (int c = 0; c < 0x20; ++c) {
        for (int place = 0; place < 9; ++place) {
            const QByteArray text = QByteArray(place, 'a') + char(c) + QByteArray(16, 'b');
            const QByteArray xml = document("<string>" + text + "</string>");
            const bool taken = c == '\t' || c == '\n';
            EXPECT_EQ(readPlainPlist(xml).has_value(), taken) << c << " at " << place;
            if (taken) {
                EXPECT_TRUE(readsTheSameBothWays(xml)) << c << " at " << place;
            }
        }
    }
}

// Repeated texts share their strings and distinct ones that hash alike take
// each other's place: every value still reads as written.
TEST(PlistPlainReader, ManyTextsRepeatedAndDistinct) {
    QByteArray body = "<array>";
    PlistValue::Array expected;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray distinct = "P" + QByteArray::number(i) + ",C1030";
        const QByteArray repeated = i % 2 ? "安全檢查" : "0";
        body += "<dict><key>pk</key><string>" + distinct + "</string><key>state</key><string>" +
                repeated + "</string></dict>";
        PlistDict dict;
        dict.insert("pk", QString::fromUtf8(distinct));
        dict.insert("state", QString::fromUtf8(repeated));
        expected.emplace_back(dict);
    }
    const std::optional<PlistValue> plain = readPlainPlist(document(body + "</array>"));
    ASSERT_TRUE(plain);
    EXPECT_EQ(*plain, PlistValue(expected));
}

// What plistlib writes, and the app's own parameter file, take the fast path.
TEST(PlistPlainReader, ReadsWhatPlistlibAndTheAppWrite) {
    const QByteArray plistlib = runPython(R"(
import datetime, plistlib, sys
value = {'text': 'a\tb\nc\r & <d> ]]> \u4e2d\u6587 \U0001F600', 'n': [2**64 - 1, -2**63, 0.1],
         'when': datetime.datetime(2015, 6, 30, 6, 5, 7), 'data': bytes(range(256)),
         'nested': {'x': [True, False, {}, [], b'', '']}}
sys.stdout.buffer.write(plistlib.dumps(value))
)",
                                          {});
    QFile parameters(INSPECTOR_SOURCE_DIR "/resources/Parameters.plist");
    ASSERT_TRUE(parameters.open(QIODevice::ReadOnly));
    for (const QByteArray& xml : {plistlib, parameters.readAll()}) {
        EXPECT_TRUE(readPlainPlist(xml)) << xml.left(400).toStdString();
        EXPECT_TRUE(readsTheSameBothWays(xml));
    }
}

} // namespace

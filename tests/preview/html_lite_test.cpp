#include "preview/html_lite.h"
#include "temp_dir.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace lumora::preview {
namespace {

std::vector<std::string> longPage(const std::string& top, const std::string& bottom) {
    std::vector<std::string> lines = {"<html><body>", top};
    for (int i = 0; i < 300; ++i)
        lines.push_back("<p>Paragraph " + std::to_string(i) + " of a long page.</p>");
    lines.push_back(bottom);
    lines.push_back("</body></html>");
    return lines;
}

class HtmlLiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        viewer.resize(400, 300);
        viewer.show();
        QApplication::processEvents();
    }

    // Clicks the first occurrence of `text` in the shown page.
    void click(const QString& text) {
        QTextCursor found = viewer.document()->find(text);
        ASSERT_FALSE(found.isNull()) << text.toStdString();
        viewer.ensureCursorVisible();
        found.setPosition(found.selectionStart() + 1);
        const QPointF point = viewer.cursorRect(found).center();
        const QPointF global = viewer.viewport()->mapToGlobal(point);
        QMouseEvent press(QEvent::MouseButtonPress, point, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, point, global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(viewer.viewport(), &press);
        QApplication::sendEvent(viewer.viewport(), &release);
        QApplication::processEvents();
    }

    HtmlLite viewer;
};

TEST_F(HtmlLiteTest, LinesBecomeOneDocument) {
    viewer.loadUtf8Lines({"<html><head><title>T</title></head>", "<body><p>Caf\xc3\xa9 <b>bold",
                          "words</b></p>", "</body></html>"});
    EXPECT_EQ(viewer.toPlainText(), QString::fromUtf8("Caf\xc3\xa9 bold words"));
}

TEST_F(HtmlLiteTest, ShowsANewPageFromTheTop) {
    viewer.loadUtf8Lines(longPage("<p>first</p>", "<p>last</p>"));
    QApplication::processEvents();
    QScrollBar* bar = viewer.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());
    viewer.moveCursor(QTextCursor::End);

    viewer.loadUtf8Lines(longPage("<p>again</p>", "<p>end</p>"));
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(viewer.textCursor().position(), 0);
}

TEST_F(HtmlLiteTest, ClickingALinkKeepsThePageAndNoHistory) {
    viewer.loadUtf8Lines({"<p>Go to <a href=\"other.html\">elsewhere</a> now.</p>"});
    const QString before = viewer.toHtml();
    QList<QUrl> clicked;
    QObject::connect(&viewer, &QTextBrowser::anchorClicked,
                     [&clicked](const QUrl& link) { clicked.append(link); });

    click("elsewhere");

    EXPECT_EQ(clicked, QList<QUrl>{QUrl("other.html")});
    EXPECT_EQ(viewer.toHtml(), before);
    EXPECT_TRUE(viewer.source().isEmpty());
    EXPECT_FALSE(viewer.isBackwardAvailable());
    EXPECT_FALSE(viewer.isForwardAvailable());
}

TEST_F(HtmlLiteTest, LinkWithinThePageScrollsToItsAnchor) {
    viewer.loadUtf8Lines(
        longPage("<p><a href=\"#end\">down</a></p>", "<p><a name=\"end\">end</a></p>"));
    QApplication::processEvents();
    const QString before = viewer.toHtml();

    click("down");

    EXPECT_GT(viewer.verticalScrollBar()->value(), 0);
    EXPECT_EQ(viewer.toHtml(), before);
    EXPECT_FALSE(viewer.isBackwardAvailable());
}

TEST_F(HtmlLiteTest, TextIsSelectable) {
    viewer.loadUtf8Lines({"<p>pick these words</p>"});
    EXPECT_TRUE(viewer.textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_TRUE(viewer.textInteractionFlags() & Qt::TextSelectableByKeyboard);
}

TEST_F(HtmlLiteTest, DefaultFontsAreTheRequestedOrTheNearestInstalled) {
    const QFont font = viewer.document()->defaultFont();
    ASSERT_FALSE(font.families().isEmpty());
    EXPECT_EQ(font.families().first(), HtmlLite::kDefaultFontFamily);
    EXPECT_TRUE(QFontDatabase::families().contains(QFontInfo(font).family()));

    viewer.loadUtf8Lines({"<p>text</p>", "<pre>fixed</pre>"});
    QTextCursor inPre = viewer.document()->find("fixed");
    ASSERT_FALSE(inPre.isNull());
    EXPECT_TRUE(QFontInfo(inPre.charFormat().font()).fixedPitch());
}

TEST_F(HtmlLiteTest, ClearEmptiesThePage) {
    viewer.loadUtf8Lines({"<p>something</p>"});
    viewer.clearPage();
    EXPECT_TRUE(viewer.toPlainText().isEmpty());
}

TEST(HtmlLiteResources, ReferencesResolveAgainstTheBaseFolder) {
    lumora::testing::TempDir dir;
    const QString base = QString::fromStdString((dir / "site").string());
    HtmlLite viewer;
    viewer.setBaseFolder(base);

    const struct {
        const char* reference;
        QString expected;
    } cases[] = {
        {"pics/dot.png", base + "/pics/dot.png"},
        {"pics\\dot.png", base + "/pics/dot.png"},
        {"./pics/../pics/dot.png", base + "/pics/dot.png"},
        {"my%20pic.gif", base + "/my pic.gif"},
        {"../shared/logo.gif", QString::fromStdString(dir.path().string()) + "/shared/logo.gif"},
        {"file:///srv/www/a.png", "/srv/www/a.png"},
        {"/srv/www/a.png", "/srv/www/a.png"},
        {"http://example.com/a.png", ""},
        {"#top", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(viewer.localPathFor(QUrl(QString::fromUtf8(c.reference))), c.expected)
            << c.reference;

    viewer.setBaseFolder({});
    EXPECT_EQ(viewer.localPathFor(QUrl("pics/dot.png")), "");
}

TEST(HtmlLiteResources, PicturesAreReadFromThePagesFolder) {
    lumora::testing::TempDir dir;
    std::filesystem::create_directories(dir / "site/pics");
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString((dir / "site/pics/dot.png").string())));

    HtmlLite viewer;
    viewer.setBaseFolder(QString::fromStdString((dir / "site").string()));
    viewer.resize(400, 300);
    viewer.show();
    viewer.loadUtf8Lines({"<p>A picture: <img src=\"pics/dot.png\"></p>"});
    QApplication::processEvents();

    const QVariant loaded =
        viewer.document()->resource(QTextDocument::ImageResource, QUrl("pics/dot.png"));
    ASSERT_TRUE(loaded.isValid());
    QImage image;
    if (loaded.canConvert<QImage>())
        image = loaded.value<QImage>();
    if (image.isNull())
        image = QImage::fromData(loaded.toByteArray());
    EXPECT_EQ(image.size(), QSize(40, 30));

    EXPECT_FALSE(
        viewer.loadResource(QTextDocument::ImageResource, QUrl("pics/missing.png")).isValid());
}

} // namespace
} // namespace lumora::preview

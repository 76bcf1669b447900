// Plain rules of the page viewer: the zoom steps, the proposed PDF file name, and text an input
// method commits into the go-to box.
#include <gtest/gtest.h>

#include "go_to_key_filter.h"
#include "page_context_menu.h"
#include "pdf_file_name.h"
#include "test_paths.h"
#include "zoom_steps.h"

TEST(ZoomSteps, WalkTheBrowserStepsBetween30And300Percent)
{
    double factor = 1.0;
    std::vector<double> up;
    for (int i = 0; i < 10; ++i)
        up.push_back(factor = ZoomInStep(factor));
    EXPECT_EQ(up, (std::vector<double>{1.1, 1.2, 1.33, 1.5, 1.7, 2.0, 2.4, 3.0, 3.0, 3.0}));
    std::vector<double> down;
    factor = 1.0;
    for (int i = 0; i < 7; ++i)
        down.push_back(factor = ZoomOutStep(factor));
    EXPECT_EQ(down, (std::vector<double>{0.9, 0.8, 0.67, 0.5, 0.3, 0.3, 0.3}));
    // A factor between steps (or rounded by the engine) goes to the neighbouring step.
    EXPECT_EQ(ZoomInStep(1.15), 1.2);
    EXPECT_EQ(ZoomOutStep(1.15), 1.1);
    EXPECT_EQ(ZoomInStep(1.1000001), 1.2);
}

TEST(PdfFileName, PositionAndTitleWithForbiddenCharactersReplaced)
{
    EXPECT_EQ(PdfFileName(PositionForFileName(5, 12), "Closed-cycle mussel farming"),
              "5.12 Closed-cycle mussel farming.pdf");
    EXPECT_EQ(PdfFileName(PositionForFileName(0, 1), "Velora"), "0.1 Velora.pdf");
    EXPECT_EQ(PdfFileName("3.4", "Sensors: A/B \"test\" <v2>? *|\\"), "3.4 Sensors A B test v2.pdf");
    EXPECT_EQ(PdfFileName("3.4", "Line\none\ttab"), "3.4 Line one tab.pdf");
    EXPECT_EQ(PdfFileName("3.4", "  ..Hidden.. "), "3.4 Hidden.pdf");
    EXPECT_EQ(PdfFileName("3.4", "Энергетика 能源"), "3.4 Энергетика 能源.pdf");
    EXPECT_EQ(PdfFileName("7.2", ""), "7.2.pdf");
    EXPECT_EQ(PdfFileName("7.2", "/?*"), "7.2.pdf");
    const QString longName = PdfFileName("1.1", QString(400, u'x'));
    EXPECT_LT(longName.size(), 200);
    EXPECT_TRUE(longName.startsWith("1.1 xxx") && longName.endsWith("x.pdf")) << longName.toStdString();
}

TEST(GoToKeyFilter, CommittedTextIsJudgedLikeTypedCharacters)
{
    EXPECT_EQ(GoToCommitAccepted("", 0, -1, 0, "1a.2"), "1.2");
    EXPECT_EQ(GoToCommitAccepted("", 0, -1, 0, "123"), "12");  // after two digits only the dot
    EXPECT_EQ(GoToCommitAccepted("1.", 2, -1, 0, "5.6"), "56");  // one dot only
    EXPECT_EQ(GoToCommitAccepted("1", 1, -1, 0, "１２"), "");  // full-width digits are no digits
    // The first character replaces the selection: "1.1" selected, then "4.3" is let through.
    EXPECT_EQ(GoToCommitAccepted("1.1", 3, 0, 3, "4.3"), "4.3");
    // The text met depends on where the caret stands: typed before the dot of "1.", the third
    // digit meets three characters before the dot and is refused; after the dot it would pass.
    EXPECT_EQ(GoToCommitAccepted("1.", 0, -1, 0, "234"), "23");
    EXPECT_EQ(GoToCommitAccepted("1.", 2, -1, 0, "234"), "234");
    EXPECT_EQ(GoToCommitAccepted("", 0, -1, 0, QString("\b\t7")), "7");
}

TEST(PageContextMenu, OnlyWebAndMailLinksGoToTheWebBrowser)
{
    EXPECT_TRUE(OpensInWebBrowser(QUrl("https://example.org/a")));
    EXPECT_TRUE(OpensInWebBrowser(QUrl("HTTP://example.org/")));
    EXPECT_TRUE(OpensInWebBrowser(QUrl("mailto:cyber@velora.org")));
    EXPECT_FALSE(OpensInWebBrowser(QUrl("file:///opt/cat/data/05001e.html")));
    EXPECT_FALSE(OpensInWebBrowser(QUrl("javascript:alert(1)")));
    EXPECT_FALSE(OpensInWebBrowser(QUrl()));
}

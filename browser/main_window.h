#pragma once
// The main window: banner, menu panel, HTML view and bottom bar. It owns the shared dataset and
// its data source, opens catalogue positions and wires every control to the catalogue's rules.
#include "main_window_port.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

class Anchors;
class CatalogueFinder;
class CatalogueSearch;
class FindBar;
class FittedPicture;
class QFrame;
class QLabel;
class QAction;
class QueryMarks;
class ResultsReturn;
class TitleSuggester;
class QMenu;
struct MainWindowTexts;
struct MenuLayout;
class TADOQuery;
class TDataSource;
class TWebBrowser;
class SearchWindowPort;
class TClickLabel;
class PageNotice;
enum class WindowRegion;
struct Session;
namespace Ui {
class Form1;
}

class TForm1 : public QWidget, public MainWindowPort {
    Q_OBJECT
public:
    // Builds the controls; the creation handler FormCreate is run by the start-up, which reports
    // its errors. The window reads and writes the session's values; the session outlives it.
    explicit TForm1(Session& session, QWidget* parent = nullptr);
    ~TForm1() override;

    Ui::Form1& controls() const { return *ui; }
    TADOQuery* ADOQuery1 = nullptr;
    TDataSource* DataSource1 = nullptr;
    TWebBrowser* WebBrowser1 = nullptr;
    QMenu* PopupMenu1 = nullptr;

    // True when the count check failed at creation: the program ends without another window.
    bool countCheckFailed() const { return countCheckFailed_; }
    void setSearchWindow(SearchWindowPort* window) { frmSearch = window; }

    // What the search window reaches through its port.
    QWidget* ownerWindow() override { return this; }
    TADOQuery* dataset() const override { return ADOQuery1; }
    TDataSource* dataSource() const override { return DataSource1; }
    void OpenPageAt(std::int32_t category, std::int32_t position) override;

    // Creation and showing.
    void FormCreate(const QString& exePath);
    void FormShow();
    // Loads, hidden and unreported, the page FormShow opens if the current language stays chosen,
    // so that it is ready when the main window shows.
    void PreloadFirstPage();
    // Makes the hidden window's native window, polishes and draws it once off the screen, so that
    // its first showing has nothing left to set up. Nothing of it is visible or reported.
    void PrepareFirstShowing();
    void OpenPage();
    void ShowPositionLabel();

    // Commands of the bottom bar and the menu.
    void cmdExitClick();
    void cmdNextClick();
    void cmdPrevClick();
    void StepForward();
    void StepBack();
    void cmdGoToClick();
    // Returns false when the typed character is discarded.
    bool tGoToKeyPress(QChar key);
    void WebBrowser1BeforeNavigate2(const QString& url);
    void menu0Click();
    void menu02Click();
    void menu03Click();
    void menu1Click() { menuCategoryClick(1); }
    void menu2Click() { menuCategoryClick(2); }
    void menu3Click() { menuCategoryClick(3); }
    void menu4Click() { menuCategoryClick(4); }
    void menu5Click() { menuCategoryClick(5); }
    void menu6Click() { menuCategoryClick(6); }
    void menu7Click() { menuCategoryClick(7); }
    void menu8Click() { menuCategoryClick(8); }
    void menu9Click() { menuCategoryClick(9); }
    void menu10Click() { menuCategoryClick(10); }
    void menu11Click() { menuCategoryClick(11); }
    void menuCategoryClick(int category);

    // Layout.
    void Image1Click();
    void ToggleMenuPanel();

    // Languages.
    void ApplyLanguage();
    void cmdLangRusClick();
    void cmdLangClick();
    void cmdLangChnClick();
    void pmlangfontsClick();

    // Page viewer comforts: keys, printing, saving as PDF.
    void PrintPage();
    void SaveAsPdf();
    // The file name proposed for the page shown: its position and title.
    QString ProposedPdfName() const;

    // Search.
    void cmdSearchDBClick();
    void DataSource1DataChange() {}

    // Finding text: the find bar in the page shown, or in the whole catalogue.
    void ShowFindInPage();
    void ShowCatalogueSearch();
    // The last results page of a catalogue search again, where it was left (Alt+Up).
    void ShowLastResults();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The page file's address at a position of the current category, in the interface language.
    QString pageUrlAt(std::int32_t position) const;
    void openMenuPosition(int category, int position);
    void wireNavigation();
    void setUpLayout();
    void setUpLanguages();
    void setUpFinding();
    // After a change of language: the results page in the new language if it is shown, else the
    // same position's page.
    void reopenAfterLanguageChange();
    // Layout helpers.
    std::array<QLabel*, 14> menuEntries() const;  // menu0, menu02, menu03, menu1 ... menu11
    std::array<QFrame*, 13> menuSeparators() const;  // Shape1 ... Shape13
    std::array<QLabel*, 14> chineseMenuPictures() const;  // imgmch0, imgmch01, imgmch02, imgmch1 ...
    void applyMenuLayout(const MenuLayout& layout);
    void showMenuToggle(bool menuShown);
    // Language helpers.
    void applyTexts(const MainWindowTexts& texts);
    void setLanguageButtonPictures(bool chinese);
    void attachFontMenu(bool attached);
    void switchToTextLanguage(std::uint8_t language);
    // Keys and names for assistive technology.
    void setUpKeys();
    void applyAccessibleNames();
    // Keyboard access by region (main_window_regions.cpp).
    void setUpKeyboardRegions();
    std::vector<TClickLabel*> allMenuEntries() const;
    std::vector<TClickLabel*> shownMenuEntries() const;  // top to bottom
    WindowRegion regionOfFocus() const;
    void moveFocusToRegion(bool backward);
    void focusMenuEntryOfPosition();
    bool menuEntryKey(QWidget* entry, int key);
    // Dark pages, the zoom shown, the note of a saved PDF (main_window_reading.cpp).
    void setUpReadingAids();
    void followDarkPages(bool on);

    Session& session_;
    Ui::Form1* ui;
    SearchWindowPort* frmSearch = nullptr;
    bool countCheckFailed_ = false;
    bool shownOnce_ = false;
    Anchors* anchors_ = nullptr;
    FittedPicture* titlePicture_ = nullptr;
    FittedPicture* emblemPicture_ = nullptr;
    QAction* pmlangfonts_ = nullptr;
    bool fontMenuAttached_ = false;
    FindBar* findBar_ = nullptr;
    CatalogueFinder* catalogueFinder_ = nullptr;
    CatalogueSearch* catalogueSearch_ = nullptr;
    PageNotice* pageNotice_ = nullptr;
    TitleSuggester* titleSuggester_ = nullptr;
    ResultsReturn* resultsReturn_ = nullptr;
    QueryMarks* queryMarks_ = nullptr;
};

#include "language_texts.h"

#include "languages.h"

namespace {

// A menu entry's text on one line.
QString OneLine(const QString& text) { return text.simplified(); }

AccessibleNames textAccessibleNames(std::uint8_t language)
{
    const MainWindowTexts& texts = MainWindowTextsFor(language);
    const bool russian = language == LangRussian;
    AccessibleNames n;
    n.emblem = russian ? QStringLiteral("Эмблема Velora") : QStringLiteral("Velora emblem");
    n.title = texts.caption;
    n.hideMenu = russian ? QStringLiteral("Скрыть меню") : QStringLiteral("Hide menu");
    n.showMenu = russian ? QStringLiteral("Показать меню") : QStringLiteral("Show menu");
    n.chineseButton = russian ? QStringLiteral("Китайский") : QStringLiteral("Chinese");
    n.goToPicture = texts.lblOpenProj;
    n.goToBox = russian ? QStringLiteral("Номер категории и проекта через точку")
                        : QStringLiteral("Category and project number, dot separated");
    n.page = russian ? QStringLiteral("Страница каталога") : QStringLiteral("Catalogue page");
    n.cmdPrev = texts.cmdPrev;
    n.cmdNext = texts.cmdNext;
    n.cmdGoTo = texts.cmdGoTo;
    n.cmdExit = texts.cmdExit;
    for (int i = 0; i < MenuEntryCount; ++i)
        n.menuPictures[i] = OneLine(texts.menu[i]);
    return n;
}

AccessibleNames chineseAccessibleNames()
{
    AccessibleNames n;
    n.emblem = QStringLiteral("Velora 徽标");
    n.title = QStringLiteral("Velora各组织创新项目与研发成果目录");
    n.hideMenu = QStringLiteral("最小化菜单");
    n.showMenu = QStringLiteral("显示菜单");
    n.chineseButton = QStringLiteral("中文");
    n.goToPicture = QStringLiteral("打开项目");
    n.goToBox = QStringLiteral("类别号和项目号，以点分隔");
    n.page = QStringLiteral("目录页面");
    n.cmdPrev = QStringLiteral("上一个");
    n.cmdNext = QStringLiteral("下一个");
    n.cmdGoTo = QStringLiteral("插入");
    n.cmdExit = QStringLiteral("退出");
    n.menuPictures = {
        QStringLiteral("Velora 科学研究机构"),
        QStringLiteral("Velora 结构"),
        QStringLiteral("Velora 主席团主席致辞"),
        QStringLiteral("1. 农业、食品和海洋资源"),
        QStringLiteral("2. 农产品加工技术"),
        QStringLiteral("3. 生物科学"),
        QStringLiteral("4. 教育、经济和社会科学"),
        QStringLiteral("5. 电子、信息技术和电信"),
        QStringLiteral("6. 能源"),
        QStringLiteral("7. 环境与安全"),
        QStringLiteral("8. 工业制造、材料和运输技术"),
        QStringLiteral("9. 计量与标准化"),
        QStringLiteral("10. 其他工业制造技术"),
        QStringLiteral("11. 科学（化学、物理）"),
    };
    return n;
}

QString picture(const QString& name) { return QStringLiteral(":/pictures/") + name; }

}  // namespace

const AccessibleNames& AccessibleNamesFor(std::uint8_t language)
{
    static const AccessibleNames russian = textAccessibleNames(LangRussian);
    static const AccessibleNames english = textAccessibleNames(LangEnglish);
    static const AccessibleNames chinese = chineseAccessibleNames();
    switch (language) {
    case LangRussian: return russian;
    case LangChinese: return chinese;
    default: return english;
    }
}

QString TitlePicturePath(std::uint8_t language)
{
    switch (language) {
    case LangRussian: return picture(QStringLiteral("title_ru.jpg"));
    case LangEnglish: return picture(QStringLiteral("title_en.jpg"));
    default: return picture(QStringLiteral("title_ch.jpg"));
    }
}

QString MenuTogglePicturePath(std::uint8_t language, bool menuShown)
{
    const QString action = menuShown ? QStringLiteral("hide") : QStringLiteral("show");
    switch (language) {
    case LangRussian: return picture(action + QStringLiteral("_ru.png"));
    case LangEnglish: return picture(action + QStringLiteral("_en.png"));
    default: return picture(action + QStringLiteral("_chn.jpg"));
    }
}

QString MenuToggleHint(const LanguageInfo& language, bool menuShown)
{
    return menuShown ? language.HideMenuHint : language.ShowMenuHint;
}

QString ChineseMenuPicturePath(int chainIndex)
{
    // Chain 0 to 2 are the introductory entries (0, 01, 02), then categories 1 to 11.
    static const char* const suffixes[MenuEntryCount] = {"0", "01", "02", "1", "2", "3",  "4",
                                                         "5", "6",  "7",  "8", "9", "10", "11"};
    if (chainIndex < 0 || chainIndex >= MenuEntryCount)
        return QString();
    return picture(QStringLiteral("menu_chn_%1.png").arg(QLatin1String(suffixes[chainIndex])));
}

QString ChineseButtonPicturePath(int slot) { return picture(QStringLiteral("imgs_%1.png").arg(slot)); }

QString EmblemPicturePath() { return picture(QStringLiteral("emblem.png")); }
QString ChineseWordPicturePath() { return picture(QStringLiteral("chinese_word.png")); }
QString ChineseGoToPicturePath() { return picture(QStringLiteral("goto_chn.png")); }
QString WindowIconPath() { return picture(QStringLiteral("icon.png")); }

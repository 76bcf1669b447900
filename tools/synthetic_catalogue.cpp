#include "synthetic_catalogue.h"

#include "synthetic_text.h"

namespace {

const PerLanguage kCategoryNames[kCategoryCount] = {
    {"Сельскохозяйственные, продовольственные и морские ресурсы", "Agriculture, Food and Marine Resources",
     "农业、食品和海洋资源"},
    {"Технология переработки сельскохозяйственных продуктов", "Agro Food Technology", "农产品加工技术"},
    {"Биологические науки", "Biological Sciences", "生物科学"},
    {"Образование, экономика, социальные науки", "Education, Economics and Social Aspects", "教育、经济和社会科学"},
    {"Электроника, информационные технологии и телекоммуникация", "Electronics, IT and Telecommunication",
     "电子、信息技术和电信"},
    {"Энергетика", "Energy", "能源"},
    {"Безопасность и охрана окружающей среды", "Environment and Safety", "环境与安全"},
    {"Промышленное производство, материалы и транспорт",
     "Industrial Manufacturing, Material and Transport Technologies", "工业制造、材料和运输技术"},
    {"Метрология и стандартизация", "Measurements and Standards", "计量与标准化"},
    {"Другие промышленные технологии", "Other Industrial Manufacturing Technologies", "其他工业制造技术"},
    {"Наука (Химия, Физика)", "Sciences (Chemistry, Physics etc)", "科学（化学、物理）"},
};

const PerLanguage kSubjects[] = {
    {"Насос", "Pump", "泵"},        {"Датчик", "Sensor", "传感器"}, {"Сплав", "Alloy", "合金"},
    {"Фильтр", "Filter", "过滤器"}, {"Метод", "Method", "方法"},    {"Реактор", "Reactor", "反应器"},
    {"Вакцина", "Vaccine", "疫苗"}, {"Система", "System", "系统"},  {"Покрытие", "Coating", "涂层"},
};
const PerLanguage kQualities[] = {
    {"энергосберегающий", "energy-saving", "节能"},
    {"высокоточный", "high-precision", "高精度"},
    {"модульный", "modular", "模块化"},
    {"биоразлагаемый", "biodegradable", "可降解"},
    {"цифровой", "digital", "数字"},
    {"компактный", "compact", "紧凑"},
    {"надёжный", "reliable", "可靠"},
};
const PerLanguage kInstitutes[] = {
    {"Институт физики Velora", "Institute of Physics of Velora", "Velora物理研究所"},
    {"Институт химии Velora", "Institute of Chemistry of Velora", "Velora化学研究所"},
    {"Институт аграрных проблем Velora", "Institute of Agrarian Problems of Velora", "Velora农业问题研究所"},
    {"Институт кибернетики Velora", "Institute of Cybernetics of Velora", "Velora控制论研究所"},
    {"Институт материаловедения Velora", "Institute for Materials Science of Velora", "Velora材料科学研究所"},
};
const PerLanguage kSurnames[] = {
    {"Иванов И.И.", "I. Ivanov", "伊万诺夫"},     {"Петренко О.В.", "O. Petrenko", "彼得连科"},
    {"Соколова М.А.", "M. Sokolova", "索科洛娃"}, {"Ковальчук Д.С.", "D. Kovalchuk", "科瓦尔丘克"},
    {"О'Брайен П.", "P. O'Brien", "奥布莱恩"},    {"Лысенко Т.Н.", "T. Lysenko", "雷森科"},
};
const PerLanguage kDegrees[] = {
    {"д.т.н., профессор", "Dr., Prof.", "教授"},
    {"к.х.н.", "PhD", "博士"},
    {"академик", "Academician", "院士"},
};

template <typename T, std::size_t N>
const T& pick(const T (&items)[N], int index)
{
    return items[static_cast<std::size_t>(index) % N];
}

}  // namespace

SyntheticCatalogue::SyntheticCatalogue(int projectCount) : m_projectCount(projectCount)
{
    int first = 0;
    for (int category = 1; category <= kCategoryCount; ++category) {
        m_counts[category] = projectCount / kCategoryCount + (category <= projectCount % kCategoryCount ? 1 : 0);
        m_firstIndex[category] = first;
        first += m_counts[category];
        m_furniture.categoryNames[category] = kCategoryNames[category - 1];
    }
    for (int department = 1; department <= kDepartmentCount; ++department)
        m_furniture.departmentNames[department] = {QStringLiteral("Отделение %1").arg(department),
                                                   QStringLiteral("Department %1").arg(department),
                                                   QStringLiteral("第%1部").arg(department)};
    const PerLanguage introTitles[3] = {{"Velora", "The Velora", "Velora"},
                                        {"Обращение Председателя", "Address of Chairman", "主席团主席致辞"},
                                        {"Структура Velora", "Structure of Velora", "结构"}};
    for (int page = 0; page < 3; ++page) {
        m_furniture.introPages[page].title = introTitles[page];
        for (int language = 0; language < kLanguageCount; ++language)
            m_furniture.introPages[page].body[language] = QStringLiteral("{{intro_menu}}{{categories}}");
    }
    m_furniture.labels = {
        {QStringLiteral("previous"), {"Назад", "Previous", "上一个"}},
        {QStringLiteral("next"), {"Далее", "Next", "下一个"}},
        {QStringLiteral("home"), {"Velora", "The Velora", "Velora"}},
        {QStringLiteral("category_contents"), {"Содержание категории", "Category contents", "目录"}},
        {QStringLiteral("organisation"), {"Организация", "Organisation", "机构"}},
        {QStringLiteral("address"), {"Адрес", "Address", "地址"}},
        {QStringLiteral("more"), {"Дополнительно", "Further", "其他"}},
        {QStringLiteral("contact"), {"Контактное лицо", "Contact person", "联系人"}},
        {QStringLiteral("department"), {"Отделение", "Department", "学部"}},
    };
}

ProjectRecord SyntheticCatalogue::project(int category, int position) const
{
    const int index = m_firstIndex[category] + position - 1;
    ProjectRecord record;
    record.cat = category;
    record.pcat = position;
    record.d = index % kDepartmentCount + 1;
    record.n = index / kDepartmentCount + 1;
    const PerLanguage& subject = pick(kSubjects, index);
    const PerLanguage& quality = pick(kQualities, index / 3);
    const PerLanguage& institute = pick(kInstitutes, index / 2);
    const PerLanguage& person = pick(kSurnames, index / 5);
    const PerLanguage& degree = pick(kDegrees, index);
    const PerLanguage description = SyntheticDescription(std::uint32_t(index));
    for (int language = 0; language < kLanguageCount; ++language) {
        ProjectTexts& texts = record.texts[language];
        texts.tdb = language == Chinese
            ? QStringLiteral("%1%2 %3").arg(quality[language], subject[language]).arg(index + 1)
            : QStringLiteral("%1 %2 № %3").arg(subject[language], quality[language]).arg(index + 1);
        texts.odb = institute[language];
        // Every 13th project has no address on record and every 11th an empty one.
        if (index % 13 == 12)
            texts.a = std::nullopt;
        else if (index % 11 == 10)
            texts.a = QString();
        else
            texts.a = QStringLiteral("Velora, %1; тел. +38-44-%2; e-mail: lab%3@velora.example")
                          .arg(index % 97 + 1)
                          .arg(200000 + index % 800000)
                          .arg(index % 50);
        texts.o_tdb = index % 4 == 0 ? QStringLiteral("Лаборатория %1").arg(index % 40 + 1) : QString();
        texts.r = person[language];
        texts.r_d = index % 6 == 5 ? QString() : degree[language];
        texts.summary = texts.tdb + QStringLiteral("\n\n") + description[language];
    }
    return record;
}

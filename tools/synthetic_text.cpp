#include "synthetic_text.h"

#include <QStringList>

#include <vector>

namespace {

// One word in the three languages; forms separated by "|": Russian nominative, genitive, plural,
// genitive plural (nouns) or masculine, feminine, plural (adjectives); English singular, plural.
struct Word {
    const char* russian;
    const char* english;
    const char* chinese;
};

const Word kNouns[] = {
    {"насос|насоса|насосы|насосов", "pump|pumps", "泵"},
    {"датчик|датчика|датчики|датчиков", "sensor|sensors", "传感器"},
    {"сплав|сплава|сплавы|сплавов", "alloy|alloys", "合金"},
    {"фильтр|фильтра|фильтры|фильтров", "filter|filters", "过滤器"},
    {"реактор|реактора|реакторы|реакторов", "reactor|reactors", "反应器"},
    {"вакцина|вакцины|вакцины|вакцин", "vaccine|vaccines", "疫苗"},
    {"покрытие|покрытия|покрытия|покрытий", "coating|coatings", "涂层"},
    {"вода|воды|воды|вод", "water|waters", "水"},
    {"почва|почвы|почвы|почв", "soil|soils", "土壤"},
    {"зерно|зерна|зёрна|зёрен", "grain|grains", "谷物"},
    {"сталь|стали|стали|сталей", "steel|steels", "钢"},
    {"энергия|энергии|энергии|энергий", "energy|energies", "能量"},
    {"давление|давления|давления|давлений", "pressure|pressures", "压力"},
    {"температура|температуры|температуры|температур", "temperature|temperatures", "温度"},
    {"сигнал|сигнала|сигналы|сигналов", "signal|signals", "信号"},
    {"сеть|сети|сети|сетей", "network|networks", "网络"},
    {"лазер|лазера|лазеры|лазеров", "laser|lasers", "激光器"},
    {"мембрана|мембраны|мембраны|мембран", "membrane|membranes", "膜"},
    {"катализатор|катализатора|катализаторы|катализаторов", "catalyst|catalysts", "催化剂"},
    {"полимер|полимера|полимеры|полимеров", "polymer|polymers", "聚合物"},
    {"волокно|волокна|волокна|волокон", "fibre|fibres", "纤维"},
    {"двигатель|двигателя|двигатели|двигателей", "engine|engines", "发动机"},
    {"турбина|турбины|турбины|турбин", "turbine|turbines", "涡轮机"},
    {"клапан|клапана|клапаны|клапанов", "valve|valves", "阀门"},
    {"труба|трубы|трубы|труб", "pipe|pipes", "管道"},
    {"скважина|скважины|скважины|скважин", "well|wells", "井"},
    {"урожай|урожая|урожаи|урожаев", "harvest|harvests", "收成"},
    {"побег|побега|побеги|побегов", "sprout|sprouts", "幼苗"},
    {"удобрение|удобрения|удобрения|удобрений", "fertiliser|fertilisers", "肥料"},
    {"молоко|молока|молока|молок", "milk|milks", "牛奶"},
    {"древесина|древесины|древесины|древесин", "timber|timbers", "木材"},
    {"стекло|стекла|стёкла|стёкол", "glass|glasses", "玻璃"},
    {"керамика|керамики|керамики|керамик", "ceramic|ceramics", "陶瓷"},
    {"бетон|бетона|бетоны|бетонов", "concrete|concretes", "混凝土"},
    {"аккумулятор|аккумулятора|аккумуляторы|аккумуляторов", "battery|batteries", "电池"},
    {"панель|панели|панели|панелей", "panel|panels", "面板"},
    {"излучение|излучения|излучения|излучений", "radiation|radiations", "辐射"},
    {"образец|образца|образцы|образцов", "sample|samples", "样品"},
    {"анализ|анализа|анализы|анализов", "analysis|analyses", "分析"},
    {"модель|модели|модели|моделей", "model|models", "模型"},
    {"устройство|устройства|устройства|устройств", "device|devices", "装置"},
    {"процесс|процесса|процессы|процессов", "process|processes", "过程"},
    {"качество|качества|качества|качеств", "quality|qualities", "质量"},
    {"стоимость|стоимости|стоимости|стоимостей", "cost|costs", "成本"},
    {"эффективность|эффективности|эффективности|эффективностей", "efficiency|efficiencies", "效率"},
    {"безопасность|безопасности|безопасности|безопасностей", "safety|safeties", "安全"},
    {"отход|отхода|отходы|отходов", "waste|wastes", "废物"},
    {"выброс|выброса|выбросы|выбросов", "emission|emissions", "排放"},
    {"хранение|хранения|хранения|хранений", "storage|storages", "储存"},
    {"транспорт|транспорта|транспорты|транспортов", "transport|transports", "运输"},
    {"измерение|измерения|измерения|измерений", "measurement|measurements", "测量"},
    {"стандарт|стандарта|стандарты|стандартов", "standard|standards", "标准"},
    {"испытание|испытания|испытания|испытаний", "test|tests", "试验"},
    {"программа|программы|программы|программ", "program|programs", "程序"},
    {"схема|схемы|схемы|схем", "circuit|circuits", "电路"},
    {"антенна|антенны|антенны|антенн", "antenna|antennas", "天线"},
    {"спутник|спутника|спутники|спутников", "satellite|satellites", "卫星"},
    {"мост|моста|мосты|мостов", "bridge|bridges", "桥梁"},
    {"судно|судна|суда|судов", "ship|ships", "船舶"},
    {"раствор|раствора|растворы|растворов", "solution|solutions", "溶液"},
    {"кислота|кислоты|кислоты|кислот", "acid|acids", "酸"},
    {"фермент|фермента|ферменты|ферментов", "enzyme|enzymes", "酶"},
    {"клетка|клетки|клетки|клеток", "cell|cells", "细胞"},
    {"белок|белка|белки|белков", "protein|proteins", "蛋白质"},
    {"препарат|препарата|препараты|препаратов", "preparation|preparations", "制剂"},
    {"теплица|теплицы|теплицы|теплиц", "greenhouse|greenhouses", "温室"},
    {"станок|станка|станки|станков", "machine|machines", "机床"},
    {"прибор|прибора|приборы|приборов", "instrument|instruments", "仪器"},
    {"порошок|порошка|порошки|порошков", "powder|powders", "粉末"},
    {"топливо|топлива|топлива|топлив", "fuel|fuels", "燃料"},
    {"газ|газа|газы|газов", "gas|gases", "气体"},
    {"нефть|нефти|нефти|нефтей", "oil|oils", "石油"},
    {"уголь|угля|угли|углей", "coal|coals", "煤"},
    {"ветер|ветра|ветры|ветров", "wind|winds", "风"},
    {"солнце|солнца|солнца|солнц", "sun|suns", "太阳"},
    {"вибрация|вибрации|вибрации|вибраций", "vibration|vibrations", "振动"},
    {"коррозия|коррозии|коррозии|коррозий", "corrosion|corrosions", "腐蚀"},
    {"прочность|прочности|прочности|прочностей", "strength|strengths", "强度"},
    {"обучение|обучения|обучения|обучений", "training|trainings", "培训"},
    {"рынок|рынка|рынки|рынков", "market|markets", "市场"},
};

const Word kAdjectives[] = {
    {"новый|новая|новые", "new", "新型"},
    {"точный|точная|точные", "precise", "精确"},
    {"дешёвый|дешёвая|дешёвые", "cheap", "廉价"},
    {"прочный|прочная|прочные", "durable", "耐用"},
    {"лёгкий|лёгкая|лёгкие", "light", "轻型"},
    {"тепловой|тепловая|тепловые", "thermal", "热"},
    {"цифровой|цифровая|цифровые", "digital", "数字"},
    {"водный|водная|водные", "aqueous", "水性"},
    {"солнечный|солнечная|солнечные", "solar", "太阳能"},
    {"ветровой|ветровая|ветровые", "wind-driven", "风力"},
    {"биологический|биологическая|биологические", "biological", "生物"},
    {"химический|химическая|химические", "chemical", "化学"},
    {"магнитный|магнитная|магнитные", "magnetic", "磁性"},
    {"оптический|оптическая|оптические", "optical", "光学"},
    {"медицинский|медицинская|медицинские", "medical", "医用"},
    {"пищевой|пищевая|пищевые", "food-grade", "食品级"},
    {"мобильный|мобильная|мобильные", "mobile", "移动"},
    {"промышленный|промышленная|промышленные", "industrial", "工业"},
    {"экологичный|экологичная|экологичные", "clean", "环保"},
    {"автоматический|автоматическая|автоматические", "automatic", "自动"},
    {"высокий|высокая|высокие", "high", "高"},
    {"низкий|низкая|низкие", "low", "低"},
    {"малый|малая|малые", "small", "小型"},
    {"крупный|крупная|крупные", "large", "大型"},
};

const Word kVerbs[] = {
    {"повышает|повышают", "raises|raise", "提高"},
    {"снижает|снижают", "lowers|lower", "降低"},
    {"измеряет|измеряют", "measures|measure", "测量"},
    {"очищает|очищают", "cleans|clean", "净化"},
    {"защищает|защищают", "protects|protect", "保护"},
    {"ускоряет|ускоряют", "speeds up|speed up", "加速"},
    {"заменяет|заменяют", "replaces|replace", "替代"},
    {"сохраняет|сохраняют", "keeps|keep", "保持"},
    {"контролирует|контролируют", "controls|control", "控制"},
    {"охлаждает|охлаждают", "cools|cool", "冷却"},
    {"нагревает|нагревают", "heats|heat", "加热"},
    {"перерабатывает|перерабатывают", "recycles|recycle", "回收"},
    {"упрощает|упрощают", "simplifies|simplify", "简化"},
    {"обнаруживает|обнаруживают", "detects|detect", "检测"},
    {"укрепляет|укрепляют", "strengthens|strengthen", "加固"},
    {"передаёт|передают", "transmits|transmit", "传输"},
};

// A small deterministic generator (numbers from Numerical Recipes), the same on every platform.
class Sequence {
public:
    explicit Sequence(std::uint32_t start) : m_state(start * 2654435761u + 12345u) {}
    std::uint32_t below(std::uint32_t bound)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return (m_state >> 8) % bound;
    }
    // Lower indexes much more often than higher ones, as words are in real text.
    std::uint32_t skewedBelow(std::uint32_t bound) { return below(below(bound) + 1); }

private:
    std::uint32_t m_state;
};

QString form(const char* forms, std::uint32_t which)
{
    const QStringList all = QString::fromUtf8(forms).split(QLatin1Char('|'));
    return all[int(which % std::uint32_t(all.size()))];
}

template <std::size_t N>
const Word& pick(const Word (&words)[N], Sequence& sequence)
{
    return words[sequence.skewedBelow(N)];
}

QString capitalised(QString sentence)
{
    if (!sentence.isEmpty())
        sentence[0] = sentence[0].toUpper();
    return sentence;
}

// "Adjective noun verb adjective noun of noun." with parts left out now and then.
void addSentence(Sequence& sequence, PerLanguage& paragraph)
{
    const bool plural = sequence.below(3) == 0;
    const Word& subjectAdjective = pick(kAdjectives, sequence);
    const Word& subject = pick(kNouns, sequence);
    const Word& verb = pick(kVerbs, sequence);
    const Word& objectAdjective = pick(kAdjectives, sequence);
    const Word& object = pick(kNouns, sequence);
    const Word& owner = pick(kNouns, sequence);
    const bool withSubjectAdjective = sequence.below(2) == 0;
    const bool withObjectAdjective = sequence.below(2) == 0;
    const bool withOwner = sequence.below(3) != 0;
    const std::uint32_t ownerNumber = sequence.below(2);

    QStringList russian, english;
    QString chinese;
    if (withSubjectAdjective) {
        russian << form(subjectAdjective.russian, plural ? 2 : sequence.below(2));
        english << form(subjectAdjective.english, 0);
        chinese += QString::fromUtf8(subjectAdjective.chinese);
    }
    russian << form(subject.russian, plural ? 2 : 0) << form(verb.russian, plural ? 1 : 0);
    english << form(subject.english, plural ? 1 : 0) << form(verb.english, plural ? 1 : 0);
    chinese += QString::fromUtf8(subject.chinese) + QString::fromUtf8(verb.chinese);
    QString chineseObject = QString::fromUtf8(object.chinese);
    if (withObjectAdjective) {
        russian << form(objectAdjective.russian, 2);
        english << form(objectAdjective.english, 0);
        chineseObject.prepend(QString::fromUtf8(objectAdjective.chinese));
    }
    russian << form(object.russian, 2);
    english << form(object.english, 1);
    if (withOwner) {
        russian << form(owner.russian, ownerNumber == 0 ? 1 : 3);
        english << QStringLiteral("of") << form(owner.english, ownerNumber);
        chineseObject.prepend(QString::fromUtf8(owner.chinese) + QStringLiteral("的"));
    }
    chinese += chineseObject;
    paragraph[Russian] += capitalised(russian.join(QLatin1Char(' '))) + QStringLiteral(". ");
    paragraph[English] += capitalised(english.join(QLatin1Char(' '))) + QStringLiteral(". ");
    paragraph[Chinese] += chinese + QStringLiteral("。");
}

}  // namespace

PerLanguage SyntheticDescription(std::uint32_t number)
{
    Sequence sequence(number);
    PerLanguage text;
    const std::uint32_t paragraphs = 2 + sequence.below(3);
    for (std::uint32_t number = 0; number < paragraphs; ++number) {
        PerLanguage paragraph;
        const std::uint32_t sentences = 3 + sequence.below(4);
        for (std::uint32_t sentence = 0; sentence < sentences; ++sentence)
            addSentence(sequence, paragraph);
        for (int language = 0; language < kLanguageCount; ++language) {
            if (number > 0)
                text[language] += QStringLiteral("\n\n");
            text[language] += paragraph[language].trimmed();
        }
    }
    return text;
}

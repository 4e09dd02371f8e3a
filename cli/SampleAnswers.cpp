#include "SampleAnswers.h"

#include "AnswerSheet.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace kestrune::cli {

namespace {

// The size of a union of one level: its full-time and part-time cadres, the
// members of its leadership, and a factor for how much it does in a year, by
// which its counts of cases, events, people served and money grow (1 for an
// industrial park's union, 3 for a county's, 40 for a province's).
struct LevelProfile {
    int fullTimeLow, fullTimeHigh;
    int partTimeLow, partTimeHigh;
    int leadersLow, leadersHigh;
    double activity;
};

LevelProfile profileOf(int level) {
    switch (level) {
    case 1: // provincial
        return {100, 250, 20, 80, 9, 15, 40.0};
    case 2: // prefecture
        return {30, 100, 10, 40, 7, 11, 10.0};
    case 3: // county
        return {8, 40, 5, 25, 5, 9, 3.0};
    case 6: // industrial park
        return {1, 5, 2, 15, 1, 5, 1.0};
    case 8: // industry union
        return {3, 15, 3, 20, 3, 7, 1.5};
    case 9: // enterprise group under the centre
        return {10, 60, 10, 50, 5, 11, 5.0};
    case 10: // local enterprise group
        return {3, 20, 5, 30, 3, 9, 2.0};
    default: // township, street, village and other unions below county level
        return {0, 3, 2, 12, 1, 5, 0.6};
    }
}

class AnswerMaker {
public:
    AnswerMaker(int level, const FillableIndicators& fillable, SeededDice& dice)
        : sheet_(fillable), dice_(dice), profile_(profileOf(level)) {}

    IndicatorValues make() {
        cadres();
        leadership();
        rightsProtection();
        collectiveContracts();
        legalWork();
        labourProtection();
        economicWork();
        finances();
        publicityAndContacts();
        networkAndInternational();
        officeStaff();
        leadershipProfile();
        fundAudit();
        return sheet_.values();
    }

private:
    // A count that grows with the union's activity.
    qint64 amount(double low, double high) {
        return dice_.between(std::llround(low * profile_.activity),
                             std::llround(high * profile_.activity));
    }
    qint64 someAmount(double low, double high) { return std::max<qint64>(1, amount(low, high)); }

    // A share of a whole, never above it.
    qint64 part(qint64 whole, double low, double high) {
        return std::clamp<qint64>(std::llround(double(whole) * dice_.real(low, high)), 0, whole);
    }

    double yesNo(double yes) { return dice_.chance(yes) ? 1.0 : 2.0; }

    // An amount of money given in fen; most are rounded down to whole units
    // (rounding down keeps a part within its whole), a few keep their fen.
    double money(qint64 fen) {
        if (fen >= 100 && !dice_.chance(0.3))
            fen -= fen % 100;
        return double(fen) / 100.0;
    }
    qint64 fenOf(Indicator field) const { return std::llround(sheet_.get(field) * 100.0); }

    // Three year-end counts, each above the one before, or none at all.
    void growingSeries(Indicator first, Indicator second, Indicator third, double low,
                       double high) {
        if (dice_.chance(0.08))
            return;
        const qint64 a = someAmount(low, high);
        const qint64 b = a + std::max<qint64>(1, part(a, 0.02, 0.15));
        const qint64 c = b + std::max<qint64>(1, part(b, 0.02, 0.15));
        sheet_.set(first, double(a));
        sheet_.set(second, double(b));
        sheet_.set(third, double(c));
    }

    // A total broken down into parts that add up to it exactly, each part
    // near its weight's share.
    void split(qint64 total, std::initializer_list<Indicator> fields,
               std::initializer_list<double> weights) {
        double weightLeft = 0;
        for (double w : weights)
            weightLeft += w;
        qint64 left = total;
        auto weight = weights.begin();
        for (auto field = fields.begin(); field != fields.end(); ++field, ++weight) {
            const bool last = std::next(field) == fields.end();
            const qint64 share =
                last ? left : part(left, *weight / weightLeft * 0.7, *weight / weightLeft * 1.3);
            sheet_.set(*field, double(share));
            left -= share;
            weightLeft -= *weight;
        }
    }

    qint64 cadreTotal() const { return sheet_.count("z001") + sheet_.count("z003"); }

    // 表1: cadres, women's committee, congress, workers' congresses below.
    void cadres() {
        sheet_.set("z001", double(dice_.between(profile_.fullTimeLow, profile_.fullTimeHigh)));
        sheet_.set("z003", double(dice_.between(profile_.partTimeLow, profile_.partTimeHigh)));
        if (cadreTotal() == 0)
            sheet_.set("z003", 1);
        sheet_.set("z002", double(part(sheet_.count("z001"), 0.3, 0.6)));
        sheet_.set("z004", double(part(sheet_.count("z003"), 0.3, 0.6)));
        sheet_.set("z005", yesNo(0.85));
        if (sheet_.isYes("z005")) {
            sheet_.set("z006", double(part(sheet_.count("z001"), 0.0, 0.1)));
            sheet_.set("z007", double(part(sheet_.count("z003"), 0.05, 0.3)));
            // A women's committee has at least one cadre working for it.
            if (sheet_.count("z006") + sheet_.count("z007") == 0)
                sheet_.set(sheet_.count("z003") > 0 ? Indicator("z007") : Indicator("z006"), 1);
        }
        sheet_.set("z008", yesNo(0.3));
        growingSeries("z009", "z010", "z011", 15, 80);
    }

    // 表2: the leadership and the training of cadres.
    void leadership() {
        const qint64 leaders =
            std::min(cadreTotal(), dice_.between(profile_.leadersLow, profile_.leadersHigh));
        sheet_.set("x001", double(leaders));
        sheet_.set("x002", double(std::min(part(leaders, 0.1, 0.4),
                                           sheet_.count("z002") + sheet_.count("z004"))));
        const qint64 fullTime = std::max<qint64>(1, part(leaders, 0.4, 1.0));
        sheet_.set("x003", double(fullTime));
        // The chair holds at most one of the four offices.
        const int office = dice_.weighted({30, 40, 15, 5, 10});
        const Indicator offices[] = {"x004", "x005", "x006", "x007"};
        for (int i = 0; i < 4; ++i)
            sheet_.set(offices[i], office == i + 1 ? 1.0 : 2.0);
        sheet_.set("x008", double(part(fullTime, 0.0, 0.4)));
        sheet_.set("x009", double(part(fullTime, 0.5, 1.0)));
        sheet_.set("x010", double(part(sheet_.count("x009"), 0.3, 1.0)));
        sheet_.set("x011", double(part(fullTime, 0.6, 1.0)));
        sheet_.set("x012", double(part(sheet_.count("x011"), 0.2, 0.8)));
        sheet_.set("x013", double(amount(20, 150)));
        sheet_.set("x014", double(part(sheet_.count("x013"), 0.2, 0.6)));
        sheet_.set("x015", double(amount(2, 15)));
        sheet_.set("x016", double(part(sheet_.count("x015"), 0.1, 0.5)));
        sheet_.set("x017", double(amount(10, 100)));
        sheet_.set("x018",
                   double(part(sheet_.count("x013") + sheet_.count("x015") + sheet_.count("x017"),
                               0.1, 0.5)));
    }

    // 表3: tripartite mechanism, mediation, help for workers in need.
    void rightsProtection() {
        sheet_.set("b001", double(amount(1, 4)));
        if (sheet_.count("b001") > 0)
            sheet_.set("b002", double(amount(5, 40)));
        sheet_.set("b003", double(part(sheet_.count("b002"), 0.2, 0.5)));
        sheet_.set("b004", double(part(sheet_.count("b002"), 0.1, 0.4)));
        sheet_.set("b005", double(amount(2, 20)));
        if (sheet_.count("b005") > 0)
            sheet_.set("b006", double(amount(10, 150)));
        sheet_.set("b007", double(part(sheet_.count("b006"), 0.0, 0.1)));
        sheet_.set("b008", double(part(sheet_.count("b006"), 0.5, 0.9)));
        sheet_.set("b009", double(part(sheet_.count("b008"), 0.2, 0.6)));
        sheet_.set("b010", double(amount(0.4, 1)));
        // The money spent on people helped is more yuan than there are people.
        sheet_.set("b011", double(amount(30, 400)));
        if (sheet_.count("b011") > 0)
            sheet_.set("b012", money(sheet_.count("b011") * dice_.between(300, 2000) * 100 +
                                     dice_.between(0, 99)));
        sheet_.set("b013", double(amount(10, 150)));
        if (sheet_.count("b013") > 0)
            sheet_.set("b014", money(sheet_.count("b013") * dice_.between(1000, 5000) * 100 +
                                     dice_.between(0, 99)));
        sheet_.set("b015", double(amount(100, 1500)));
        sheet_.set("b016", double(amount(5, 80)));
        sheet_.set("b017", double(part(sheet_.count("b011") + sheet_.count("b015"), 0.1, 0.4)));
        sheet_.set("b018", double(part(sheet_.count("b013") + sheet_.count("b016"), 0.1, 0.4)));
        const qint64 migrantsHelped = sheet_.count("b017") + sheet_.count("b018");
        sheet_.set("b019", double(migrantsHelped * dice_.between(200, 1000)));
        sheet_.set("b020", double(sheet_.count("b009") + amount(0, 15)));
        sheet_.set("b021", double(amount(5, 80)));
        sheet_.set("b022", double(part(sheet_.count("b021"), 0.3, 0.8)));
        if (sheet_.count("b021") > 0) {
            sheet_.set("b023", money(sheet_.count("b021") * dice_.between(100, 5000)));
            sheet_.set("b024", money(sheet_.count("b021") * dice_.between(50, 3000)));
        }
    }

    // 表3 and 表3续: collective bargaining and contracts, service centres.
    void collectiveContracts() {
        sheet_.set("b025", yesNo(0.7));
        sheet_.set("b026", double(amount(0, 3)));
        sheet_.set("b027", double(amount(0, 3)));
        growingSeries("b028", "b029", "b030", 200, 2000);
        growingSeries("b031", "b032", "b033", 5000, 100000);
        sheet_.set("b034", yesNo(0.7));
        if (sheet_.isYes("b034"))
            sheet_.set("b035", double(amount(100, 3000)));
    }

    // 表4: legislation, legal aid, counsel, arbitration.
    void legalWork() {
        sheet_.set("f001", double(amount(0.1, 0.3)));
        sheet_.set("f002", double(amount(0.2, 0.6)));
        sheet_.set("f003", yesNo(0.6));
        if (sheet_.isYes("f003"))
            sheet_.set("f004", double(amount(5, 40)));
        sheet_.set("f005", double(part(sheet_.count("f004"), 0.2, 0.6)));
        sheet_.set("f006", double(std::min(cadreTotal(), someAmount(0.5, 3))));
        sheet_.set("f007", yesNo(0.7));
        sheet_.set("f008", yesNo(0.6));
        if (sheet_.isYes("f008")) {
            sheet_.set("f009", double(someAmount(0.5, 2)));
            sheet_.set("f010", double(amount(5, 40)));
        }
        sheet_.set("f011", double(amount(2, 20)));
        sheet_.set("f012", double(std::min(cadreTotal(), amount(0, 2))));
        sheet_.set("f013", double(std::min(cadreTotal(), amount(0.5, 4))));
        sheet_.set("f014", double(part(sheet_.count("f013"), 0.1, 0.5)));
        sheet_.set("f015", yesNo(0.5));
        sheet_.set("f016", double(amount(0, 3)));
        if (sheet_.isYes("f015"))
            sheet_.set("f017", double(amount(0, 15)));
        sheet_.set("f018", double(sheet_.count("f017") * dice_.between(1, 8)));
    }

    // 表5: inspections, accidents and the Ankang Cup.
    void labourProtection() {
        sheet_.set("l001", yesNo(0.7));
        if (sheet_.isYes("l001")) {
            sheet_.set("l002", double(someAmount(2, 25)));
            sheet_.set("l003", double(amount(1, 15)));
        }
        sheet_.set("l004", double(amount(0, 5)));
        if (sheet_.count("l004") > 0)
            sheet_.set("l005", double(amount(0, 10)));
        sheet_.set("l006", double(part(sheet_.count("l005"), 0.0, 0.2)));
        sheet_.set("l007", double(amount(1, 40)));
    }

    // 表6: awards, competitions, proposals and skills training.
    void economicWork() {
        sheet_.set("j001", double(amount(1, 4)));
        sheet_.set("j002", double(amount(3, 10)));
        sheet_.set("j003", double(part(sheet_.count("j002"), 0.3, 0.6)));
        sheet_.set("j004", double(amount(2, 6)));
        sheet_.set("j005", double(amount(0.5, 2)));
        sheet_.set("j006", double(amount(0.3, 1)));
        sheet_.set("j007", double(sheet_.count("j006") * dice_.between(50, 500)));
        sheet_.set("j008", double(amount(1, 3)));
        sheet_.set("j009", double(amount(20, 150)));
        sheet_.set("j010", double(amount(2, 30)));
        sheet_.set("j011", double(amount(50, 1000)));
        sheet_.set("j012", double(part(sheet_.count("j011"), 0.3, 0.7)));
        sheet_.set("j013", double(part(sheet_.count("j011"), 0.2, 0.6)));
        sheet_.set("j014",
                   double(part(std::min(sheet_.count("j012"), sheet_.count("j013")), 0.2, 0.8)));
        if (dice_.chance(0.15))
            return; // no skills training this year
        const qint64 courses = someAmount(2, 30);
        sheet_.set("j015", double(courses));
        sheet_.set("j016", double(courses + someAmount(50, 1500)));
        sheet_.set("j017", double(part(sheet_.count("j016"), 0.1, 0.5)));
        sheet_.set("j018", double(part(sheet_.count("j016"), 0.2, 0.7)));
        sheet_.set("j019",
                   double(part(std::min(sheet_.count("j017"), sheet_.count("j018")), 0.1, 0.8)));
    }

    // 表7: finance, and the audit committee that gates its staff and work.
    void finances() {
        sheet_.set("s001", yesNo(0.9));
        sheet_.set("s002", yesNo(0.6));
        sheet_.set("s003", yesNo(0.8));
        sheet_.set("s004", yesNo(sheet_.fills("s014") ? 0.97 : 0.7));
        const bool committee = sheet_.isYes("s004");
        sheet_.set("s005", committee ? yesNo(0.8) : 2.0);
        sheet_.set("s006", committee ? yesNo(0.7) : 2.0);
        // Audit staff are fewer than all cadres, so a union of one cadre has none.
        sheet_.set("s007", committee && cadreTotal() >= 2 ? yesNo(0.8) : 2.0);
        if (sheet_.isYes("s007")) {
            const qint64 room = cadreTotal() - 1;
            sheet_.set("s008", double(std::min({sheet_.count("z001"), room, amount(0.3, 1.3)})));
            sheet_.set("s010", double(std::min(room - sheet_.count("s008"), amount(0.3, 2))));
            if (sheet_.count("s008") + sheet_.count("s010") == 0)
                sheet_.set("s010", 1);
        }
        sheet_.set("s009", double(part(sheet_.count("s008"), 0.3, 1.0)));
        sheet_.set("s011", double(part(sheet_.count("s010"), 0.2, 0.8)));
        if (dice_.chance(0.8)) {
            const qint64 courses = someAmount(0.5, 2);
            sheet_.set("s012", double(courses));
            sheet_.set("s013", double(courses + someAmount(20, 200)));
        }
        if (committee) {
            sheet_.set("s014", double(amount(1, 3)));
            sheet_.set("s015", double(amount(0.3, 2)));
            sheet_.set("s016", double(amount(0.5, 3)));
            sheet_.set("s017", double(amount(0.5, 5)));
            sheet_.set("s021", money(amount(10 * 100, 200 * 100))); // 万元
        }
        sheet_.set("s018", committee ? yesNo(0.9) : 2.0);
        sheet_.set("s019", committee ? yesNo(0.9) : 2.0);
        sheet_.set("s020", committee ? yesNo(0.8) : 2.0);
    }

    // 表8 and 表9: education, culture, and the social organisations served.
    void publicityAndContacts() {
        sheet_.set("w001", double(amount(5, 60)));
        sheet_.set("w002", double(amount(10, 200)));
        sheet_.set("w003", double(amount(3, 40)));
        sheet_.set("w004", double(amount(0.3, 0.7)));
        sheet_.set("w005", double(amount(20, 150)));
        sheet_.set("e001", double(amount(2, 30)));
        if (sheet_.count("e001") > 0 && dice_.chance(0.8)) {
            const qint64 projects = someAmount(1, 10);
            sheet_.set("e002", double(projects));
            sheet_.set("e003", money(someAmount(5 * 100, 100 * 100))); // 万元
            sheet_.set("e004", double(projects + someAmount(100, 2000)));
        }
    }

    // A pair of a count of delegations and the people in them, or neither.
    void delegations(Indicator groups, Indicator people) {
        if (!dice_.chance(0.6))
            return;
        const qint64 count = someAmount(0.05, 0.2);
        sheet_.set(groups, double(count));
        sheet_.set(people, double(count + count * dice_.between(2, 8)));
    }

    // 表10 and 表11: network staff and platforms, international exchange.
    void networkAndInternational() {
        sheet_.set("n001", double(std::min(cadreTotal(), amount(0.1, 0.3))));
        sheet_.set("n002", double(std::min(cadreTotal() - sheet_.count("n001"), amount(0.1, 0.2))));
        sheet_.set("n003", double(amount(0.4, 1.5)));
        delegations("g001", "g002");
        delegations("g003", "g004");
    }

    // 附表1: the union office: its units, posts and staff. The staff hold
    // the leaders and the department posts filled, and are at most the
    // cadres and the establishment.
    void officeStaff() {
        const qint64 cadres = cadreTotal();
        const qint64 leaders = sheet_.count("x001");
        sheet_.set("d001", double(std::clamp<qint64>(std::llround(cadres * dice_.real(0.03, 0.08)),
                                                     1, 20)));
        sheet_.set("d002", double(std::clamp<qint64>(std::llround(cadres * dice_.real(0.06, 0.12)),
                                                     2, 30)));
        sheet_.set("d003", double(part(sheet_.count("d001"), 0.0, 0.5)));
        sheet_.set("d004", double(dice_.between(0, 3)));
        const qint64 staff =
            dice_.between(std::max(leaders, std::llround(double(cadres) * 0.6)), cadres);
        sheet_.set("d012", double(staff));
        const qint64 room = staff - leaders;
        sheet_.set("d008", double(sheet_.count("d002") * dice_.between(1, 2)));
        sheet_.set("d009", double(std::min(sheet_.count("d008"), part(room, 0.2, 0.5))));
        sheet_.set("d010", double(part(staff, 0.1, 0.3)));
        sheet_.set("d011", double(std::min(sheet_.count("d010"),
                                           part(room - sheet_.count("d009"), 0.2, 0.6))));
        sheet_.set("d007", double(leaders + dice_.between(0, 2)));
        const qint64 establishment =
            std::max(staff, sheet_.count("d007") + sheet_.count("d008") + sheet_.count("d010")) +
            dice_.between(0, 6);
        sheet_.set("d005", double(part(establishment, 0.6, 0.9)));
        sheet_.set("d006", double(establishment - sheet_.count("d005")));
        sheet_.set("d013", double(std::min({staff, sheet_.count("z002") + sheet_.count("z004"),
                                            part(staff, 0.3, 0.55)})));
        sheet_.set("d021", double(sheet_.count("d001") * dice_.between(10, 60)));
        sheet_.set("d022", double(part(sheet_.count("d021"), 0.1, 0.3)));
        sheet_.set("d023", double(part(sheet_.count("d021") - sheet_.count("d022"), 0.3, 0.7)));
        const qint64 people = staff + sheet_.count("d021");
        sheet_.set("d014", double(part(people, 0.0, 0.04)));
        sheet_.set("d015", double(part(people, 0.0, 0.04)));
        sheet_.set("d016", double(part(people, 0.0, 0.05)));
        sheet_.set("d017", double(dice_.between(36, 47)));
        split(staff, {"d018", "d019", "d020"}, {0.2, 0.6, 0.2});
    }

    // 附表1续: the leadership by post, origin, age and schooling; each
    // breakdown adds up to the members counted in 表2.
    void leadershipProfile() {
        const qint64 leaders = sheet_.count("x001");
        const qint64 vices = part(leaders - 1, 0.4, 0.8);
        sheet_.set("d024", double(vices));
        sheet_.set("d029", double(leaders - 1 - vices));
        const qint64 appointed = part(sheet_.count("x003"), 0.6, 1.0);
        split(appointed, {"d025", "d026", "d027"}, {0.3, 0.2, 0.5});
        sheet_.set("d030", double(std::min(leaders - appointed, dice_.between(0, 2))));
        sheet_.set("d028", yesNo(0.9));
        sheet_.set("d031", double(dice_.between(46, 54)));
        split(leaders, {"d032", "d033", "d034", "d035"}, {0.02, 0.15, 0.55, 0.28});
        split(leaders, {"d036", "d037", "d038"}, {0.35, 0.6, 0.05});
        sheet_.set("d039", double(part(sheet_.count("d021"), 0.0, 0.05)));
        const qint64 newcomers = sheet_.count("d014") + sheet_.count("d015") + sheet_.count("d016");
        sheet_.set("d040",
                   double(part(std::min(newcomers, leaders + sheet_.count("d039")), 0.0, 0.5)));
        sheet_.set("d041", double(dice_.between(0, leaders)));
    }

    // 附表2: the audit of the union's own funds and of its lower unions, in
    // 10,000 yuan.
    void fundAudit() {
        sheet_.set("y001", money(amount(300 * 100, 1500 * 100)));
        sheet_.set("y002", money(part(fenOf("y001"), 0.75, 1.0)));
        sheet_.set("y003", double(amount(1, 10)));
        if (sheet_.count("y003") > 0)
            sheet_.set("y004", money(sheet_.count("y003") * dice_.between(2000, 50000)));
        sheet_.set("y005", money(part(fenOf("y004"), 0.0, 0.05)));
        sheet_.set("y006", money(amount(500 * 100, 3000 * 100)));
        sheet_.set("y007", money(part(fenOf("y006"), 0.0, 0.02)));
        if (!dice_.chance(0.8))
            return; // no economic-responsibility audit this year
        sheet_.set("y008", double(someAmount(0.5, 2)));
        sheet_.set("y009", double(someAmount(0.5, 3)));
        sheet_.set("y010", money(sheet_.count("y009") * dice_.between(5000, 500000)));
        sheet_.set("y011", double(amount(1, 5)));
        sheet_.set("y012", double(part(sheet_.count("y009"), 0.2, 0.8)));
    }

    AnswerSheet sheet_;
    SeededDice& dice_;
    LevelProfile profile_;
};

} // namespace

IndicatorValues sampleAnswers(int level, const FillableIndicators& fillable, SeededDice& dice) {
    return AnswerMaker(level, fillable, dice).make();
}

} // namespace kestrune::cli

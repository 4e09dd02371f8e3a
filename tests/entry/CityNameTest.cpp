#include "entry/RegionChoice.h"
#include "entry/ui/CityNameForm.h"
#include "schema/Connection.h"
#include "support/StartedSession.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace kestrune::entry;
using kestrune::testing::StartedSessionTest;

namespace {

int RowOf(const RegionRows& rows, int id) {
    for (int row = 0; row < int(rows.size()); ++row) {
        if (rows[row].id == id)
            return row;
    }
    return -1;
}

int IdAt(const RegionRows& rows, int row) {
    return row >= 0 && row < int(rows.size()) ? rows[row].id : 0;
}

using RegionNameTest = StartedSessionTest;

TEST_F(RegionNameTest, NamesSixDigitCodesOnly) {
    EXPECT_EQ(RegionName(connection(), 130102, ui), "河北省石家庄市长安区");
    EXPECT_EQ(RegionName(connection(), 130000, ui), "河北省");
    EXPECT_EQ(RegionName(connection(), 999999, ui), "");
    // Short codes are never looked up, even when the table holds such a row.
    connection().execute(
        "insert into CT_CityName (ID, CombName) values (99999, '短码'), (0, '零')");
    EXPECT_EQ(RegionName(connection(), 99999, ui), "");
    EXPECT_EQ(RegionName(connection(), 0, ui), "");
    connection().execute("drop table CT_CityName");
    EXPECT_EQ(RegionName(connection(), 12345, ui), "");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(RegionName(connection(), 130102, ui), "");
    EXPECT_EQ(
        ui.messageTexts(),
        QStringList{"运行中发生错误：no such table: CT_CityName,请与系统管理员或软件发行者联系。"});
}

using RegionChoiceTest = StartedSessionTest;

TEST_F(RegionChoiceTest, ListsReadTheirLevelsInCodeOrder) {
    const RegionRows provinces = ProvinceRows(connection());
    ASSERT_EQ(provinces.size(), 31u);
    EXPECT_EQ(provinces.front().id, 110000);
    EXPECT_EQ(provinces.back().id, 650000);
    const RegionRows cities = CityRows(connection(), 42);
    ASSERT_EQ(cities.size(), 14u);
    EXPECT_EQ(cities.front().name, "武汉市");
    EXPECT_EQ(cities.back().id, 429000);
    const RegionRows counties = CountyRows(connection(), 13, 2);
    ASSERT_GE(counties.size(), 3u);
    EXPECT_EQ(counties[0].id, 130200); // the city itself comes first
    EXPECT_EQ(counties[1].id, 130202);
    EXPECT_EQ(counties[2].name, "路北区");
}

TEST_F(RegionChoiceTest, StartsAtBeijingDistricts) {
    RegionChoice choice(connection());
    EXPECT_EQ(choice.code(), 110100);
    EXPECT_EQ(choice.name(), "北京市");
    choice.showCode();
    EXPECT_EQ(IdAt(choice.provinces(), choice.provinceRow()), 110000);
    EXPECT_EQ(IdAt(choice.cities(), choice.cityRow()), 110100);
    EXPECT_EQ(IdAt(choice.counties(), choice.countyRow()), 110100);
    EXPECT_EQ(RowOf(choice.counties(), 110105), 3); // after 市辖区, 东城区 and 西城区
    choice.moveCounty(3);
    choice.confirm();
    EXPECT_EQ(choice.code(), 110105);
    EXPECT_EQ(choice.name(), "北京市朝阳区");
}

TEST_F(RegionChoiceTest, CountyCodeSelectsItsProvinceCityAndCounty) {
    connection().execute(
        "update CT_CityName set CombName=' 河北省石家庄市长安区 ' where ID=130102");
    RegionChoice choice(connection());
    choice.setCode(130102);
    choice.showCode();
    EXPECT_EQ(IdAt(choice.provinces(), choice.provinceRow()), 130000);
    EXPECT_EQ(IdAt(choice.cities(), choice.cityRow()), 130100);
    EXPECT_EQ(IdAt(choice.counties(), choice.countyRow()), 130102);
    EXPECT_EQ(choice.selectedCode3(), 2);
    choice.confirm();
    EXPECT_EQ(choice.code(), 130102);
    EXPECT_EQ(choice.name(), "河北省石家庄市长安区"); // trimmed
}

TEST_F(RegionChoiceTest, ChoosingAProvinceOrCityPicksItsPrefectureRow) {
    RegionChoice choice(connection());
    choice.setCode(130102);
    choice.showCode();
    choice.chooseProvince(RowOf(choice.provinces(), 420000));
    EXPECT_EQ(choice.selectedCode1(), 42);
    EXPECT_EQ(choice.selectedCode2(), 1);
    EXPECT_EQ(IdAt(choice.cities(), choice.cityRow()), 420100);
    EXPECT_EQ(choice.countyRow(), 0);
    EXPECT_EQ(IdAt(choice.counties(), 0), 420100);
    choice.confirm();
    EXPECT_EQ(choice.code(), 420100);
    EXPECT_EQ(choice.name(), "湖北省武汉市");

    RegionChoice other(connection());
    other.showCode();
    other.moveProvince(RowOf(other.provinces(), 130000)); // moved, but not chosen
    other.chooseCity(RowOf(other.cities(), 110100));
    EXPECT_EQ(other.selectedCode1(), 13); // the province list's current row counts
    EXPECT_EQ(IdAt(other.counties(), other.countyRow()), 130100);
}

TEST_F(RegionChoiceTest, CodesMissingFromTheListsFallBackToTheProvince) {
    RegionChoice unknownCity(connection());
    unknownCity.setCode(139901);
    unknownCity.showCode();
    EXPECT_EQ(IdAt(unknownCity.provinces(), unknownCity.provinceRow()), 130000);
    EXPECT_EQ(IdAt(unknownCity.cities(), unknownCity.cityRow()), 130100); // left on its first row
    EXPECT_TRUE(unknownCity.counties().empty());
    EXPECT_EQ(unknownCity.countyRow(), -1);
    unknownCity.confirm();
    EXPECT_EQ(unknownCity.code(), 130000);
    EXPECT_EQ(unknownCity.name(), "河北省");

    // A double click takes the county list only: nothing there, nothing chosen.
    RegionChoice doubleClicked(connection());
    doubleClicked.setCode(139901);
    doubleClicked.showCode();
    doubleClicked.confirmCounty();
    EXPECT_EQ(doubleClicked.code(), 0);
    EXPECT_EQ(doubleClicked.name(), "");

    RegionChoice unknownProvince(connection());
    unknownProvince.setCode(990101);
    unknownProvince.showCode();
    EXPECT_EQ(unknownProvince.provinceRow(), 0);
    EXPECT_TRUE(unknownProvince.cities().empty());
    unknownProvince.confirm();
    EXPECT_EQ(unknownProvince.code(), 110000);
    EXPECT_EQ(unknownProvince.name(), "北京市");

    // A province's own code lists just the province row among the counties.
    RegionChoice province(connection());
    province.setCode(130000);
    province.showCode();
    ASSERT_EQ(province.counties().size(), 1u);
    province.confirm();
    EXPECT_EQ(province.code(), 130000);
    EXPECT_EQ(province.name(), "河北省");
}

class CityNameFormTest : public StartedSessionTest {
protected:
    static QString current(QTableWidget* list) {
        return list->currentItem() ? list->currentItem()->text() : QString();
    }
    static void click(QTableWidget* list, const QString& text) {
        const QList<QTableWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list->scrollToItem(found.front());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.front()).center());
    }
};

TEST_F(CityNameFormTest, LayoutAndTheStartAtBeijing) {
    TCityNameForm form(connection());
    EXPECT_EQ(form.windowTitle(), "中华人民共和国行政区划");
    auto heading = [](QTableWidget* list) {
        return list->horizontalHeaderItem(0)->text();
    };
    EXPECT_EQ(heading(form.provinceList()), "省级地区");
    EXPECT_EQ(heading(form.cityList()), "地市及直辖市所属区县");
    EXPECT_EQ(heading(form.countyList()), "县、市辖区、县级市、旗");
    EXPECT_EQ(form.confirmButton()->text(), "确认选择");
    EXPECT_EQ(form.cancelButton()->text(), "取消选择");
    const QList<QLabel*> labels = form.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.front()->text(), "说明：基于国家统计局公布的《2020年统计用区划代码》编排");
    EXPECT_EQ(form.provinceList()->rowCount(), 31);
    form.show();
    EXPECT_EQ(current(form.provinceList()), "北京市");
    EXPECT_EQ(current(form.cityList()), "市辖区");
    EXPECT_EQ(current(form.countyList()), "市辖区");
    form.confirmButton()->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.code(), 110100);
    EXPECT_EQ(form.name(), "北京市市辖区");
}

TEST_F(CityNameFormTest, OpensWithTheCountyOfItsCodeSelected) {
    TCityNameForm form(connection());
    form.setCode(130102);
    form.show();
    EXPECT_EQ(current(form.provinceList()), "河北省");
    EXPECT_EQ(current(form.cityList()), "石家庄市");
    EXPECT_EQ(current(form.countyList()), "长安区");
    EXPECT_EQ(form.countyList()->selectedItems().size(), 1);
    form.confirmButton()->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.code(), 130102);
    EXPECT_EQ(form.name(), "河北省石家庄市长安区");
}

TEST_F(CityNameFormTest, AProvinceConfirmedAtOnceGivesItsFirstCity) {
    TCityNameForm form(connection());
    form.setCode(130102);
    form.show();
    click(form.provinceList(), "湖北省");
    EXPECT_EQ(current(form.cityList()), "武汉市");
    EXPECT_EQ(form.countyList()->item(0, 0)->text(), "武汉市");
    EXPECT_EQ(form.countyList()->currentRow(), 0);
    form.confirmButton()->click();
    EXPECT_EQ(form.code(), 420100);
    EXPECT_EQ(form.name(), "湖北省武汉市");
}

TEST_F(CityNameFormTest, ArrowKeysChooseOnRelease) {
    TCityNameForm form(connection());
    form.setCode(130102);
    form.show();
    QTest::keyPress(form.provinceList(), Qt::Key_Down);
    EXPECT_EQ(current(form.provinceList()), "山西省");
    EXPECT_EQ(current(form.cityList()), "石家庄市"); // not yet chosen
    QTest::keyRelease(form.provinceList(), Qt::Key_Down);
    EXPECT_EQ(current(form.cityList()), "太原市");
    QTest::keyClick(form.cityList(), Qt::Key_Down);
    EXPECT_EQ(form.countyList()->item(0, 0)->text(), "大同市");
    form.confirmButton()->click();
    EXPECT_EQ(form.code(), 140200);
    EXPECT_EQ(form.name(), "山西省大同市");
}

TEST_F(CityNameFormTest, DoubleClickInTheCountyListChoosesThatRow) {
    TCityNameForm form(connection());
    form.show();
    click(form.provinceList(), "河北省");
    click(form.cityList(), "唐山市");
    // A double click starts as a click, which makes the row current.
    click(form.countyList(), "路北区");
    QTableWidgetItem* county = form.countyList()->currentItem();
    QTest::mouseDClick(form.countyList()->viewport(), Qt::LeftButton, {},
                       form.countyList()->visualItemRect(county).center());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.code(), 130203);
    EXPECT_EQ(form.name(), "河北省唐山市路北区");
}

// 莱芜区 and 钢城区 belong to 济南市 since 2019; 莱芜市 is no longer a city.
TEST_F(CityNameFormTest, JinanDistrictsOfTheSurveyYearCanBeChosen) {
    TCityNameForm form(connection());
    form.show();
    click(form.provinceList(), "山东省");
    EXPECT_TRUE(form.cityList()->findItems("莱芜市", Qt::MatchExactly).isEmpty());
    click(form.cityList(), "济南市");
    click(form.countyList(), "莱芜区");
    form.confirmButton()->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.code(), 370116);
    EXPECT_EQ(form.name(), "山东省济南市莱芜区");

    TCityNameForm reopened(connection());
    reopened.setCode(370117);
    reopened.show();
    EXPECT_EQ(current(reopened.provinceList()), "山东省");
    EXPECT_EQ(current(reopened.cityList()), "济南市");
    EXPECT_EQ(current(reopened.countyList()), "钢城区");
    reopened.confirmButton()->click();
    EXPECT_EQ(reopened.code(), 370117);
    EXPECT_EQ(reopened.name(), "山东省济南市钢城区");
}

TEST_F(CityNameFormTest, CancelAndEscapeChooseNothing) {
    TCityNameForm cancelled(connection());
    cancelled.setCode(130102);
    cancelled.show();
    click(cancelled.provinceList(), "湖北省");
    cancelled.cancelButton()->click();
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_FALSE(cancelled.isVisible());
    EXPECT_EQ(cancelled.code(), 130102);

    TCityNameForm escaped(connection());
    escaped.show();
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_EQ(escaped.result(), QDialog::Rejected);
    EXPECT_FALSE(escaped.isVisible());
    EXPECT_EQ(escaped.code(), 110100);
    EXPECT_EQ(escaped.name(), "北京市");
}

} // namespace

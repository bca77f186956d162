#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>

#include "FormsTestSupport.h"
#include "framework/data/Units.h"

namespace umbrinex::testing {
namespace {

// A form with one control of each kind on a fresh design.
class BoundControls : public TFormsTest {
 protected:
  void SetUp() override
  {
    TFormsTest::SetUp();
    Form = std::make_unique<TKitForm>();
    Form->resize(400, 300);
  }
  void TearDown() override
  {
    Form.reset();
    TFormsTest::TearDown();
  }
  template <class T>
  T* Add(int varNum, QPoint position)
  {
    auto* control = new T(Form.get());
    control->move(position);
    control->SetVarNum(varNum);
    return control;
  }
  void Show()
  {
    BindControls(*Form, Bend.get());
    Form->show();
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  }

  std::unique_ptr<TKitForm> Form;
};

TEST_F(BoundControls, AnEditWritesEveryKeystroke)
{
  auto* project = Add<TKitEdit>(vnProject, {16, 16});
  Show();
  project->setFocus();
  project->selectAll();
  TypeText(QStringLiteral("R"));
  EXPECT_EQ(Bend->Project(), "R");
  TypeText(QStringLiteral("ig"));
  EXPECT_EQ(Bend->Project(), "Rig");
  PressKey(Qt::Key_Backspace);
  EXPECT_EQ(Bend->Project(), "Ri");
}

TEST_F(BoundControls, ARefusedKeystrokePutsTheStoredTextBackAndShowsTheHint)
{
  auto* abr = Add<TKitEdit>(vnAllowableBendRadius, {16, 40});
  auto* mirror = Add<TKitEdit>(vnAllowableBendRadius, {16, 80});
  Show();
  const QString stored = abr->text();
  ASSERT_FALSE(stored.isEmpty());
  abr->setFocus();
  abr->selectAll();
  TypeText(QStringLiteral("0"));
  EXPECT_EQ(abr->text(), stored);
  EXPECT_EQ(ShownHint(), QStringLiteral("Must be positive"));
  EXPECT_EQ(TKitHintWindow::Instance().pos(), abr->mapToGlobal(QPoint(0, abr->height())));
  EXPECT_EQ(QString::number(Bend->AllowableBendRadius()), stored);

  // An accepted keystroke reaches the other controls of the item.
  abr->selectAll();
  TypeText(QStringLiteral("7"));
  EXPECT_FALSE(HintShowing()) << "the next key press closed the hint";
  EXPECT_EQ(Bend->AllowableBendRadius(), 7.0);
  QApplication::processEvents();
  EXPECT_EQ(mirror->text(), QStringLiteral("7"));
}

// An object with one item of each access status.
class TAccessSample : public TDataObject {
 public:
  TAccessSample() : TDataObject(nullptr) {}
  std::string Fixed = "fixed text";
  std::string Free = "free";

 protected:
  void RegisterDataItems(TDataItemRegister& reg) override
  {
    reg.RegisterString(Fixed, 1);
    reg.RegisterString(Free, 2);
  }
  void PrepareAccess(int varNum) override
  {
    TDataObject::PrepareAccess(varNum);
    if (varNum == 1) SetEditable(false);
  }
  void Redirect(TDataObject*& target, int& varNum, int& /*index*/) override
  {
    if (varNum == 3) target = nullptr;  // applies to nothing now
  }
};

TEST_F(BoundControls, ReadOnlyItemsShowTheirValueInADisabledControl)
{
  TAccessSample sample;
  sample.AfterConstruction();
  auto* fixed = Add<TKitEdit>(1, {16, 16});
  auto* free = Add<TKitEdit>(2, {16, 40});
  auto* none = Add<TKitEdit>(3, {16, 64});
  BindControls(*Form, &sample);
  EXPECT_FALSE(fixed->isEnabled());
  EXPECT_EQ(fixed->text(), QStringLiteral("fixed text"));
  EXPECT_TRUE(free->isEnabled());
  EXPECT_FALSE(none->isEnabled());
  auto* memo = Add<TKitMemo>(1, {16, 100});
  memo->SetDataObject(&sample);
  EXPECT_TRUE(memo->isReadOnly());
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("fixed text"));
}

TEST_F(BoundControls, CheckBoxRadioGroupAndListsReadAndWriteTheirItems)
{
  auto* definition = Add<TKitDropDownList>(vnStiffenerDefinition, {16, 16});
  auto* linearity = Add<TKitRadioGroup>(vnLinearity, {16, 60});
  linearity->SetItems({QStringLiteral("Linear"), QStringLiteral("Non-linear")});
  auto* materials = Add<TKitListBox>(vnMaterial, {200, 16});
  Show();
  ASSERT_EQ(definition->count(), 2);
  EXPECT_EQ(definition->itemText(0), QStringLiteral("User Defined"));
  EXPECT_EQ(definition->currentIndex(), int(sdPowerLaw));
  EXPECT_EQ(linearity->ItemIndex(), int(lnLinear));
  EXPECT_EQ(linearity->ItemCaption(1), QStringLiteral("Non-linear"));
  ASSERT_EQ(materials->count(), 1);
  EXPECT_EQ(materials->currentItem()->text(), QStringLiteral("Material 1"));

  definition->setCurrentIndex(0);
  emit definition->activated(0);
  EXPECT_EQ(Bend->StiffenerDefinition(), sdUserDefined);
  QTest::mouseClick(linearity->findChildren<QRadioButton*>().at(1), Qt::LeftButton);
  EXPECT_EQ(Bend->Linearity(), lnNonLinear);
}

TEST_F(BoundControls, ADropDownListTakesNoOtherStyle)
{
  TKitDropDownList list;
  EXPECT_NO_THROW(list.SetStyle(csDropDownList));
  try {
    list.SetStyle(csDropDown);
    FAIL() << "another style must be refused";
  } catch (const ETessanControlError& e) {
    EXPECT_STREQ(e.what(), "TKitDropDownList only functions with style 'csDropDownList'");
  }
}

TEST_F(BoundControls, CaptionsShowPercentSignsItemValuesAndUnitNames)
{
  struct TCase {
    const char* Caption;
    const char* Shown;
  };
  const TCase cases[] = {
      {"100%% sure", "100% sure"},
      {"Cable bend &stiffness (%FF.LL^2%):", "Cable bend &stiffness (kN.m^2):"},
      {"Properties of Material '%21047%'", "Properties of Material 'Material 1'"},
      {"Unknown %99999% item", "Unknown %99999% item"},
      {"Half %FF and the rest", "Half %FF and the rest"},
      {"%%%LL%", "%m"},
  };
  for (const TCase& c : cases) EXPECT_EQ(ExpandCaption(c.Caption, Bend.get()), c.Shown) << c.Caption;
  EXPECT_EQ(ExpandCaption("%21047% in %LL%", nullptr), "%21047% in %LL%");

  auto* label = new TKitLabel(QStringLiteral("Shape power %21024%"), Form.get());
  label->SetDataObject(Bend.get());
  EXPECT_EQ(label->text(), QStringLiteral("Shape power 2"));
  TAccessStatus status;
  Bend->SetValue(vnStiffenerDefinition, 0, status, TVariant(int(sdUserDefined)), vtLong);
  label->Invalidate();
  EXPECT_EQ(label->text(), QStringLiteral("Shape power %21024%")) << "an item that does not apply";

  // A change of units reaches the captions when the form refreshes.
  auto* group = new TKitGroupBox(QStringLiteral("Lengths (%LL%)"), Form.get());
  group->SetDataObject(Bend.get());
  EXPECT_EQ(group->title(), QStringLiteral("Lengths (m)"));
  Bend->Units().SetSystem(1);
  group->Invalidate();
  EXPECT_NE(group->title(), QStringLiteral("Lengths (m)"));
}

TEST_F(BoundControls, LabelsSharingAnAcceleratorTakeTurns)
{
  auto* first = Add<TKitEdit>(vnProject, {100, 16});
  auto* second = Add<TKitEdit>(vnClient, {100, 40});
  auto* other = Add<TKitEdit>(vnDesigner, {100, 64});
  auto* firstLabel = new TKitLabel(QStringLiteral("&Project:"), Form.get());
  firstLabel->setBuddy(first);
  auto* secondLabel = new TKitLabel(QStringLiteral("&Place:"), Form.get());
  secondLabel->move(0, 40);
  secondLabel->setBuddy(second);
  Show();
  other->setFocus();
  EXPECT_TRUE(HasAccelerator(*Form, QLatin1Char('p')));
  PressKey(Qt::Key_P, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), first);
  PressKey(Qt::Key_P, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), second);
  PressKey(Qt::Key_P, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), first);
  EXPECT_EQ(Bend->Project(), "Umbrinex Design Example") << "the letter was not typed into the edit";
}

TEST_F(BoundControls, AButtonActsOnItsAcceleratorAtOnce)
{
  auto* edit = Add<TKitEdit>(vnProject, {100, 16});
  auto* label = new TKitLabel(QStringLiteral("&Go to the edit"), Form.get());
  label->setBuddy(edit);
  auto* button = new QPushButton(QStringLiteral("&Go"), Form.get());
  button->move(100, 100);
  int clicks = 0;
  QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
  Show();
  PressKey(Qt::Key_G, Qt::AltModifier);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(AcceleratorOf(QStringLiteral("Fish && &Chips")), QLatin1Char('c'));
  EXPECT_TRUE(AcceleratorOf(QStringLiteral("No && accelerator")).isNull());
}

}  // namespace
}  // namespace umbrinex::testing

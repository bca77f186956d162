#include "framework/data/NamedObjects.h"

#include <gtest/gtest.h>

#include "framework/data/Model.h"

namespace umbrinex {
namespace {

TNameManager ModelNames() { return TNameManager(false, TModel::ReservedNames()); }

TEST(NameManager, TrimsNamesAndComparesThemWithCase)
{
  TNameManager names = ModelNames();
  names.AddName("  Steel ", nullptr);
  EXPECT_EQ(names.Check("Steel"), 3);
  EXPECT_EQ(names.Check(" Steel"), 3);
  EXPECT_EQ(names.Check("steel"), 0);
  EXPECT_EQ(names.Check("   "), 1);
}

TEST(NameManager, RejectsSpecialValueTextsEverywhereAndModelWordsExactly)
{
  TNameManager plain(true, {});
  for (const char* word : {"inf", "INFINITY", "~", "?", "Infin", "infinite"}) EXPECT_EQ(plain.Check(word), 2) << word;
  TNameManager names = ModelNames();
  for (const char* word : {"Environment", "Sea", "Free", "Fixed", "Anchored", "Draught", "Direction"})
    EXPECT_EQ(names.Check(word), 2) << word;
  EXPECT_EQ(names.Check("sea"), 0);
  EXPECT_EQ(names.Check("FIXED"), 0);
  EXPECT_EQ(plain.Check("Sea"), 0);
}

TEST(NameManager, AddNameRaisesTheReasonAndChangesNothing)
{
  TNameManager names = ModelNames();
  names.AddName("Steel", nullptr);
  auto message = [&](const std::string& name) {
    try {
      names.AddName(name, nullptr);
    } catch (const EUniqueNameError& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  EXPECT_EQ(message(""), "Invalid name - cannot be blank.");
  EXPECT_EQ(message("Sea"), "Invalid name - that name is reserved.");
  EXPECT_EQ(message("Steel"), "Invalid name - that name has already been used.");
  EXPECT_EQ(names.FindObject("Sea"), nullptr);
}

TEST(NameManager, MakeUniqueNameNumbersClashes)
{
  TNameManager names = ModelNames();
  names.AddName("Steel", nullptr);
  EXPECT_EQ(names.MakeUniqueName("Steel", false), "Steel1");
  names.AddName("Mat1", nullptr);
  names.AddName("Mat2", nullptr);
  EXPECT_EQ(names.MakeUniqueName("Mat1", false), "Mat3");
  EXPECT_EQ(names.MakeUniqueName("Fresh", false), "Fresh");
  EXPECT_EQ(names.MakeUniqueName("  ", false), "1");
  names.AddName("1", nullptr);
  EXPECT_EQ(names.MakeUniqueName("", false), "2");
  EXPECT_EQ(names.MakeUniqueName("Sea", false), "Sea1");
}

TEST(NameManager, MakeUniqueNameKeepsShortNamesWithinTenCharacters)
{
  TNameManager names = ModelNames();
  EXPECT_EQ(names.MakeUniqueName("Polyurethane 95A", true), "Polyuretha");
  EXPECT_EQ(names.MakeUniqueName("Polyurethane 95A", false), "Polyurethane 95A");
  names.AddName("Polyuretha", nullptr);
  EXPECT_EQ(names.MakeUniqueName("Polyurethane 95A", true), "Polyureth1");
  for (int i = 1; i <= 9; ++i) names.AddName("Polyureth" + std::to_string(i), nullptr);
  // Ten characters are used up: the stem gives way and the numbering restarts.
  EXPECT_EQ(names.MakeUniqueName("Polyurethane 95A", true), "Polyuret1");
}

TEST(NameManager, RenameKeepsTheOldNameWhenTheNewOneIsRefused)
{
  TNameManager names = ModelNames();
  names.AddName("A", nullptr);
  names.AddName("B", nullptr);
  names.Rename(" A ", "A");  // same name after trimming: nothing to do
  EXPECT_THROW(names.Rename("A", "B"), EUniqueNameError);
  EXPECT_EQ(names.Check("A"), 3);
  names.Rename("A", "C");
  EXPECT_EQ(names.Check("A"), 0);
  EXPECT_EQ(names.Check("C"), 3);
}

TEST(NameManager, HasLongNamesFollowsTheNamesInUse)
{
  TNameManager names = ModelNames();
  names.AddName("TenLetters", nullptr);
  EXPECT_FALSE(names.HasLongNames());
  names.AddName("ElevenChars", nullptr);
  EXPECT_TRUE(names.HasLongNames());
  names.RemoveName("ElevenChars");
  EXPECT_FALSE(names.HasLongNames());
}

TEST(NameChanges, TranslateReturnsTheRecordedNameOrTheNameItself)
{
  TNameChanges changes;
  changes.Add("Sea", "Sea1");
  EXPECT_EQ(changes.Translate("Sea"), "Sea1");
  EXPECT_EQ(changes.Translate("Steel"), "Steel");
  changes.Clear();
  EXPECT_EQ(changes.Translate("Sea"), "Sea");
}

// Named objects inside a model: naming goes through the model's manager.
class TThing : public TModelObject {
 public:
  using TModelObject::TModelObject;
  int NameChanges = 0;
  void NameChanged() override
  {
    TModelObject::NameChanged();
    ++NameChanges;
  }
};

TEST(NamedObject, NewObjectsAlwaysGetAUniqueNameAndRenamesMayFail)
{
  auto model = New<TModel>();
  auto first = New<TThing>(model.get());
  auto second = New<TThing>(model.get());
  first->SetName("Steel");
  second->SetName("Steel");
  EXPECT_EQ(first->Name(), "Steel");
  EXPECT_EQ(second->Name(), "Steel1");
  EXPECT_THROW(second->SetName("Steel"), EUniqueNameError);
  EXPECT_EQ(second->Name(), "Steel1");
  second->SetName("Titanium");
  EXPECT_EQ(second->NameChanges, 2);
  EXPECT_EQ(model->NameManager().FindObject("Titanium"), second.get());
  EXPECT_EQ(model->NameManager().FindObject("Steel1"), nullptr);
  second.reset();
  EXPECT_EQ(model->NameManager().Check("Titanium"), 0) << "a destroyed object's name is free again";
}

TEST(NamedObject, StoredNamesClashingWithReservedWordsAreRenamedAndRecorded)
{
  auto model = New<TModel>();
  auto thing = New<TThing>(model.get());
  thing->SetName("Rubber");
  thing->AdoptStoredName("Sea");
  EXPECT_EQ(thing->Name(), "Sea1");
  EXPECT_EQ(model->NameManager().Changes().Translate("Sea"), "Sea1");
  EXPECT_EQ(model->NameManager().Check("Rubber"), 0);
}

}  // namespace
}  // namespace umbrinex

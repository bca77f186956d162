#pragma once
// Helpers for the tests of the window kit and the program's windows: a fresh
// settings store per test, recorded messages with scripted answers, scripted
// file dialogs, and design files on disk.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <QFile>
#include <QString>

#include "bend/Bend.h"
#include "framework/data/Messages.h"
#include "desktop/kit/FileDialogs.h"
#include "desktop/kit/Mru.h"
#include "desktop/kit/Registry.h"
#include "persistence/BendFile.h"
#include "persistence/Stream.h"
#include "persistence/TessanFile.h"
#include "desktop/kit/KitPreferences.h"

// Failures show texts, not code units.
inline void PrintTo(const QString& text, std::ostream* os)
{
  *os << '"' << text.toStdString() << '"';
}

namespace umbrinex::testing {

namespace fs = std::filesystem;

class TRecordingPresenter : public IMessagePresenter {
 public:
  int Present(const TMessageRequest& request) override
  {
    Requests.push_back(request);
    if (!Answers.empty()) {
      const int answer = Answers.front();
      Answers.pop_front();
      return answer;
    }
    return request.Type == TMessageType::Question ? maYes : maOk;
  }
  std::vector<std::string> Texts() const
  {
    std::vector<std::string> texts;
    for (const TMessageRequest& r : Requests) texts.push_back(r.Text);
    return texts;
  }
  std::vector<TMessageRequest> Requests;
  std::deque<int> Answers;
};

class TScriptedDialogs : public IFileDialogs {
 public:
  bool Open(const TFileDialogRequest& request, TFileDialogAnswer& answer) override { return Answer(request, answer); }
  bool Save(const TFileDialogRequest& request, TFileDialogAnswer& answer) override { return Answer(request, answer); }
  std::vector<TFileDialogRequest> Requests;
  std::deque<std::string> Names;  // an empty name cancels
  int SelectedClass = 0;

 private:
  bool Answer(const TFileDialogRequest& request, TFileDialogAnswer& answer)
  {
    Requests.push_back(request);
    const std::string name = Names.empty() ? std::string() : Names.front();
    if (!Names.empty()) Names.pop_front();
    if (name.empty()) return false;
    answer.FileNames = {name};
    answer.SelectedClass = SelectedClass;
    return true;
  }
};

class TTempFolder {
 public:
  TTempFolder()
  {
    std::random_device random;
    Path = fs::temp_directory_path() / ("umbrinex-shell-" + std::to_string(random()));
    fs::create_directories(Path);
  }
  ~TTempFolder() { fs::remove_all(Path); }
  std::string File(const std::string& name) const { return (Path / name).string(); }
  fs::path Path;
};

// Every test starts from an empty settings store and records its messages.
// release forgets the settings in memory (with the store) as the end of the
// program does.
template <void (*release)()>
class TSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    release();
    QFile::remove(SettingsFileName());
    KitRegistry();
    FPrevious = SetMessagePresenter(&Messages);
    FPreviousDialogs = SetFileDialogs(&Dialogs);
  }
  void TearDown() override
  {
    SetFileDialogs(FPreviousDialogs);
    SetMessagePresenter(FPrevious);
    release();
  }
  // What the next run of the program finds when it starts.
  static void Restart()
  {
    release();
    KitRegistry();
  }

  TRecordingPresenter Messages;
  TScriptedDialogs Dialogs;
  TTempFolder Folder;

 private:
  IMessagePresenter* FPrevious = nullptr;
  IFileDialogs* FPreviousDialogs = nullptr;
};

using TKitTest = TSettingsTest<ReleaseKitPreferences>;

inline void WriteText(const std::string& fileName, const std::string& text)
{
  std::ofstream(fileName, std::ios::binary) << text;
}

inline std::string ReadText(const std::string& fileName)
{
  std::ifstream in(fileName, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A design saved as a data file of this version with the given project text.
inline std::string WriteDesign(const std::string& fileName, const std::string& project)
{
  auto bend = New<TBend>();
  TAccessStatus status;
  bend->SetValue(vnProject, 0, status, TVariant(project), vtText);
  return SaveToFile(*bend, fileName);
}

// The same design as a data file of the previous version.
inline void WriteOlderDesign(const std::string& fileName, const std::string& project)
{
  auto bend = New<TBend>();
  TAccessStatus status;
  bend->SetValue(vnProject, 0, status, TVariant(project), vtText);
  bend->BeforeWrite();
  TMemoryStream stream;
  TDOSUmbrinexFile file(nullptr, TFileMode::Write, ctSavedDataFile);
  file.OpenStream(stream, OldDataFileClass);
  bend->WriteData(file);
  file.WriteEndOfData();
  file.Close();
  const std::vector<std::uint8_t> bytes = stream.TakeBytes();
  std::ofstream(fileName, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace umbrinex::testing

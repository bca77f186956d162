#include "shell/AboutBox.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <thread>

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>

#include "framework/data/TextUtils.h"
#include "shell/Artwork.h"
#include "bend/ProgramInfo.h"

namespace umbrinex {

namespace {

// A "Name:   1234 kB" line of a /proc file, in bytes.
std::optional<std::uint64_t> ProcKilobytes(const char* file, const std::string& field)
{
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(field + ":", 0) != 0) continue;
    std::istringstream values(line.substr(field.size() + 1));
    std::uint64_t kilobytes = 0;
    if (values >> kilobytes) return kilobytes * 1024;
  }
  return std::nullopt;
}

}  // namespace

std::string GroupedNumber(double value, int decimals)
{
  const std::string digits = Format("%.*f", decimals, std::fabs(value));
  const std::size_t point = std::min(digits.find('.'), digits.size());
  std::string grouped = value < 0 ? "-" : "";
  for (std::size_t i = 0; i < point; ++i) {
    if (i > 0 && (point - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped + digits.substr(point);
}

std::string MegabytesText(std::uint64_t bytes)
{
  return GroupedNumber(bytes / 1048576.0, 1) + " MB";
}

std::string MemorySizeText(std::uint64_t bytes)
{
  const double kb = bytes / 1024.0;
  const double mb = kb / 1024.0;
  if (mb > 1023) return GroupedNumber(mb / 1024.0, 1) + " GB";
  if (kb > 1023) return GroupedNumber(mb, 1) + " MB";
  if (bytes > 1023) return GroupedNumber(kb, 1) + " KB";
  return Format("%d bytes", static_cast<int>(bytes));
}

TMachineFacts ReadMachineFacts()
{
  TMachineFacts facts;
  facts.TotalMemory = ProcKilobytes("/proc/meminfo", "MemTotal");
  facts.FreeMemory = ProcKilobytes("/proc/meminfo", "MemAvailable");
  facts.MemoryUsed = ProcKilobytes("/proc/self/status", "VmRSS");
  facts.Processors = std::thread::hardware_concurrency();
  facts.OperatingSystem = QStringLiteral("%1 (%2 %3)")
                              .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(), QSysInfo::kernelVersion())
                              .toStdString();
  return facts;
}

std::vector<std::string> AboutLines(const TMachineFacts& facts)
{
  std::vector<std::string> lines{std::string("Version ") + ApplicationVersion};
  if (facts.TotalMemory) lines.push_back("Total Memory: " + MegabytesText(*facts.TotalMemory));
  if (facts.FreeMemory) lines.push_back("Free Memory: " + MegabytesText(*facts.FreeMemory));
  if (facts.MemoryUsed) lines.push_back("Memory Used: " + MemorySizeText(*facts.MemoryUsed));
  lines.push_back("System Processors: " + std::to_string(facts.Processors));
  lines.push_back(facts.OperatingSystem);
  return lines;
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
  const QString name = QString::fromUtf8(ApplicationName);
  setWindowTitle(QStringLiteral("About %1").arg(name));

  auto* picture = new QLabel;
  picture->setPixmap(LogoPixmap(QSize(120, 80)));
  picture->setAlignment(Qt::AlignTop);

  auto* title = new QLabel(name);
  QFont titleFont = title->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 2);
  titleFont.setBold(true);
  title->setFont(titleFont);

  auto* description = new QLabel(
      QStringLiteral("%1 is a program for the rational and efficient design of elastomeric bend stiffeners").arg(name));
  description->setWordWrap(true);

  auto* text = new QVBoxLayout;
  text->addWidget(title);
  text->addWidget(description);
  text->addSpacing(8);
  for (const std::string& line : AboutLines(ReadMachineFacts()))
    text->addWidget(new QLabel(QString::fromStdString(line)));
  text->addStretch();

  auto* body = new QHBoxLayout;
  body->addWidget(picture);
  body->addLayout(text, 1);

  auto* buttons = new QDialogButtonBox;
  QPushButton* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::AcceptRole);
  close->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
  setMinimumWidth(420);
}

}  // namespace umbrinex

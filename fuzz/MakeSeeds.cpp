// Writes design files of both kinds into a folder, as the fuzzer's seeds.

#include <cstdio>
#include <string>

#include "bend/Bend.h"
#include "framework/data/Units.h"
#include "persistence/BendFile.h"

int main(int argc, char** argv)
{
  using namespace umbrinex;
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  auto bend = New<TBend>();
  SaveToFile(*bend, folder + "/default.mxd");
  TAccessStatus status;
  bend->SetValue(vnNumberOfTypes, 0, status, 2, vtInt);
  bend->SetValue(vnStiffenerDefinition, 0, status, "User Defined", vtText);
  bend->SetValue(vnState2Included, 1, status, "No", vtText);
  bend->SetValue(vnNumberOfCircles, 0, status, 2, vtInt);
  bend->Units().SetSystem(1);
  SaveToFile(*bend, folder + "/modified.mxd");
  return 0;
}

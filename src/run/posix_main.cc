#include "platform/platform.h"
#include "run/run_conversion.h"

int main(int argc, char** argv) {
  auto platform = facetor::makePlatform();
  return facetor::runConversion(*platform, argc > 1 ? argv[1] : "");
}

// encode_device_info TYPE FILE    writes a service client's DeviceInfo.ini for device type TYPE
// encode_device_info --value TYPE prints only the enciphered DeviceType value
#include "tools/DeviceInfoEncoder.h"

#include <cstdio>
#include <cstring>
#include <fstream>

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--value") == 0) {
    std::printf("%s\n", EncodeDeviceType(argv[2]).c_str());
    return 0;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: encode_device_info TYPE FILE | --value TYPE\n");
    return 2;
  }
  std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
  file << DeviceInfoIniText(EncodeDeviceType(argv[1]));
  file.close();
  if (!file) {
    std::fprintf(stderr, "encode_device_info: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}

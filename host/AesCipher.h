#pragma once
// AES (FIPS-197) deciphering for 128, 192 and 256-bit keys in the modes of SP 800-38A, plus
// the little-endian counter mode in which the service clients encipher their device type.
// No system call here: it builds and is tested on every platform.
#include <cstddef>
#include <cstdint>

enum AesMode {
  AES_MODE_ECB = 0,
  AES_MODE_CBC = 1,
  AES_MODE_CFB = 2,
  AES_MODE_OFB = 3,
  AES_MODE_CTR = 4,
};

class CAesCipher {
public:
  static constexpr size_t BLOCK_SIZE = 16;

  CAesCipher();

  // Accepts 16, 24 or 32 bytes; any other length (or no key) leaves the cipher as it was.
  void SetKey(const uint8_t* key, size_t length);
  // The chaining modes (CBC, CFB, OFB) start every call from this block; null forgets it.
  void SetInitialVector(const uint8_t* vector);
  // Counter mode starts every call from this block; null forgets it.
  void SetCounter(const uint8_t* counter);

  // Deciphers whole blocks; does nothing without a key, with missing buffers, with a length
  // that is 0 or not a multiple of 16, with an unknown mode, or without the mode's starting
  // block. Input and output may be the same buffer. Counter mode is its own inverse.
  void DecryptBlocks(const uint8_t* input, uint8_t* output, size_t length, int mode) const;

private:
  void EncryptBlock(const uint8_t* in, uint8_t* out) const;
  void DecryptBlock(const uint8_t* in, uint8_t* out) const;

  uint8_t m_keySet;
  uint32_t m_encryptKeys[15][4];  // big-endian words as FIPS-197 writes them
  uint32_t m_decryptKeys[15][4];  // for the equivalent inverse cipher
  int m_rounds;
  uint8_t m_vectorSet;
  uint8_t m_vector[BLOCK_SIZE];
  uint8_t m_counterSet;
  uint8_t m_counter[BLOCK_SIZE];
};

#include "host/AesCipher.h"

#include <cstring>

namespace {

constexpr uint8_t Times2(uint8_t x) {
  return static_cast<uint8_t>((x << 1) ^ ((x & 0x80) ? 0x1B : 0));
}

constexpr uint8_t Rotl8(uint8_t x, int n) {
  return static_cast<uint8_t>((x << n) | (x >> (8 - n)));
}

// Product in GF(2^8) with the AES polynomial.
constexpr uint8_t Multiply(uint8_t a, uint8_t b) {
  uint8_t product = 0;
  while (b) {
    if (b & 1) product ^= a;
    a = Times2(a);
    b >>= 1;
  }
  return product;
}

struct SubstitutionTables {
  uint8_t forward[256];
  uint8_t inverse[256];
};

// Walks the multiplicative group with generator 3 and its inverse at the same time, so that
// the S-box comes out of its definition (inverse then affine map) instead of a typed table.
constexpr SubstitutionTables MakeTables() {
  SubstitutionTables t{};
  uint8_t p = 1;
  uint8_t q = 1;
  do {
    p = static_cast<uint8_t>(p ^ Times2(p));
    q = static_cast<uint8_t>(q ^ (q << 1));
    q = static_cast<uint8_t>(q ^ (q << 2));
    q = static_cast<uint8_t>(q ^ (q << 4));
    if (q & 0x80) q ^= 0x09;
    const uint8_t s =
        static_cast<uint8_t>(q ^ Rotl8(q, 1) ^ Rotl8(q, 2) ^ Rotl8(q, 3) ^ Rotl8(q, 4) ^ 0x63);
    t.forward[p] = s;
  } while (p != 1);
  t.forward[0] = 0x63;
  for (int i = 0; i < 256; ++i) t.inverse[t.forward[i]] = static_cast<uint8_t>(i);
  return t;
}

constexpr SubstitutionTables TABLES = MakeTables();
static_assert(TABLES.forward[0x53] == 0xED, "S-box example of FIPS-197 section 5.1.1");
static_assert(TABLES.inverse[0xED] == 0x53, "inverse S-box");

constexpr uint8_t ROUND_CONSTANTS[11] = {0x00, 0x01, 0x02, 0x04, 0x08, 0x10,
                                         0x20, 0x40, 0x80, 0x1B, 0x36};

uint32_t SubWord(uint32_t w) {
  return (uint32_t{TABLES.forward[w >> 24]} << 24) |
         (uint32_t{TABLES.forward[(w >> 16) & 0xFF]} << 16) |
         (uint32_t{TABLES.forward[(w >> 8) & 0xFF]} << 8) | TABLES.forward[w & 0xFF];
}

uint32_t InvMixColumn(uint32_t w) {
  const uint8_t a0 = static_cast<uint8_t>(w >> 24), a1 = static_cast<uint8_t>(w >> 16);
  const uint8_t a2 = static_cast<uint8_t>(w >> 8), a3 = static_cast<uint8_t>(w);
  const uint8_t b0 = Multiply(a0, 14) ^ Multiply(a1, 11) ^ Multiply(a2, 13) ^ Multiply(a3, 9);
  const uint8_t b1 = Multiply(a0, 9) ^ Multiply(a1, 14) ^ Multiply(a2, 11) ^ Multiply(a3, 13);
  const uint8_t b2 = Multiply(a0, 13) ^ Multiply(a1, 9) ^ Multiply(a2, 14) ^ Multiply(a3, 11);
  const uint8_t b3 = Multiply(a0, 11) ^ Multiply(a1, 13) ^ Multiply(a2, 9) ^ Multiply(a3, 14);
  return (uint32_t{b0} << 24) | (uint32_t{b1} << 16) | (uint32_t{b2} << 8) | b3;
}

// The state is kept as FIPS-197 lays out the input: byte r + 4c is row r of column c.
void AddRoundKey(uint8_t* state, const uint32_t* words) {
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) state[4 * c + r] ^= static_cast<uint8_t>(words[c] >> (24 - 8 * r));
  }
}

void SubBytes(uint8_t* state, const uint8_t* table) {
  for (int i = 0; i < 16; ++i) state[i] = table[state[i]];
}

// Row r moves r columns to the left (forward) or to the right (inverse).
void ShiftRows(uint8_t* state, bool inverse) {
  uint8_t copy[16];
  std::memcpy(copy, state, 16);
  for (int r = 1; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      const int from = inverse ? (c + 4 - r) % 4 : (c + r) % 4;
      state[4 * c + r] = copy[4 * from + r];
    }
  }
}

void MixColumns(uint8_t* state) {
  for (int c = 0; c < 4; ++c) {
    uint8_t* a = state + 4 * c;
    const uint8_t a0 = a[0], a1 = a[1], a2 = a[2], a3 = a[3];
    a[0] = Times2(a0) ^ Multiply(a1, 3) ^ a2 ^ a3;
    a[1] = a0 ^ Times2(a1) ^ Multiply(a2, 3) ^ a3;
    a[2] = a0 ^ a1 ^ Times2(a2) ^ Multiply(a3, 3);
    a[3] = Multiply(a0, 3) ^ a1 ^ a2 ^ Times2(a3);
  }
}

void InvMixColumns(uint8_t* state) {
  for (int c = 0; c < 4; ++c) {
    uint8_t* a = state + 4 * c;
    const uint32_t w = InvMixColumn((uint32_t{a[0]} << 24) | (uint32_t{a[1]} << 16) |
                                    (uint32_t{a[2]} << 8) | a[3]);
    a[0] = static_cast<uint8_t>(w >> 24);
    a[1] = static_cast<uint8_t>(w >> 16);
    a[2] = static_cast<uint8_t>(w >> 8);
    a[3] = static_cast<uint8_t>(w);
  }
}

void XorBlock(const uint8_t* a, const uint8_t* b, uint8_t* out) {
  for (size_t i = 0; i < CAesCipher::BLOCK_SIZE; ++i) out[i] = a[i] ^ b[i];
}

// The counter is a 128-bit little-endian number: byte 0 is the lowest.
void IncrementCounter(uint8_t* block) {
  for (size_t i = 0; i < CAesCipher::BLOCK_SIZE; ++i) {
    if (++block[i] != 0) return;
  }
}

}  // namespace

CAesCipher::CAesCipher()
    : m_keySet(0),
      m_encryptKeys{},
      m_decryptKeys{},
      m_rounds(0),
      m_vectorSet(0),
      m_vector{},
      m_counterSet(0),
      m_counter{} {}

void CAesCipher::SetKey(const uint8_t* key, size_t length) {
  if (!key || (length != 16 && length != 24 && length != 32)) return;
  const int nk = static_cast<int>(length / 4);
  const int rounds = nk + 6;
  uint32_t* w = &m_encryptKeys[0][0];
  for (int i = 0; i < nk; ++i) {
    w[i] = (uint32_t{key[4 * i]} << 24) | (uint32_t{key[4 * i + 1]} << 16) |
           (uint32_t{key[4 * i + 2]} << 8) | key[4 * i + 3];
  }
  for (int i = nk; i < 4 * (rounds + 1); ++i) {
    uint32_t temp = w[i - 1];
    if (i % nk == 0) {
      temp = SubWord((temp << 8) | (temp >> 24)) ^ (uint32_t{ROUND_CONSTANTS[i / nk]} << 24);
    } else if (nk > 6 && i % nk == 4) {
      temp = SubWord(temp);
    }
    w[i] = w[i - nk] ^ temp;
  }
  // Equivalent inverse cipher: round keys in reverse order, inner ones through InvMixColumns.
  for (int round = 0; round <= rounds; ++round) {
    for (int c = 0; c < 4; ++c) {
      const uint32_t word = m_encryptKeys[rounds - round][c];
      m_decryptKeys[round][c] = (round == 0 || round == rounds) ? word : InvMixColumn(word);
    }
  }
  m_rounds = rounds;
  m_keySet = 1;
}

void CAesCipher::SetInitialVector(const uint8_t* vector) {
  m_vectorSet = vector ? 1 : 0;
  if (vector) std::memcpy(m_vector, vector, BLOCK_SIZE);
}

void CAesCipher::SetCounter(const uint8_t* counter) {
  m_counterSet = counter ? 1 : 0;
  if (counter) std::memcpy(m_counter, counter, BLOCK_SIZE);
}

void CAesCipher::EncryptBlock(const uint8_t* in, uint8_t* out) const {
  uint8_t state[16];
  std::memcpy(state, in, 16);
  AddRoundKey(state, m_encryptKeys[0]);
  for (int round = 1; round < m_rounds; ++round) {
    SubBytes(state, TABLES.forward);
    ShiftRows(state, false);
    MixColumns(state);
    AddRoundKey(state, m_encryptKeys[round]);
  }
  SubBytes(state, TABLES.forward);
  ShiftRows(state, false);
  AddRoundKey(state, m_encryptKeys[m_rounds]);
  std::memcpy(out, state, 16);
}

void CAesCipher::DecryptBlock(const uint8_t* in, uint8_t* out) const {
  uint8_t state[16];
  std::memcpy(state, in, 16);
  AddRoundKey(state, m_decryptKeys[0]);
  for (int round = 1; round < m_rounds; ++round) {
    SubBytes(state, TABLES.inverse);
    ShiftRows(state, true);
    InvMixColumns(state);
    AddRoundKey(state, m_decryptKeys[round]);
  }
  SubBytes(state, TABLES.inverse);
  ShiftRows(state, true);
  AddRoundKey(state, m_decryptKeys[m_rounds]);
  std::memcpy(out, state, 16);
}

void CAesCipher::DecryptBlocks(const uint8_t* input, uint8_t* output, size_t length,
                               int mode) const {
  if (!input || !output || !m_keySet || length == 0 || length % BLOCK_SIZE != 0) return;
  const bool chaining = mode == AES_MODE_CBC || mode == AES_MODE_CFB || mode == AES_MODE_OFB;
  if (mode < AES_MODE_ECB || mode > AES_MODE_CTR || (chaining && !m_vectorSet) ||
      (mode == AES_MODE_CTR && !m_counterSet)) {
    return;
  }
  // Each step saves its input block first, so output may overwrite input.
  uint8_t chain[BLOCK_SIZE];
  std::memcpy(chain, mode == AES_MODE_CTR ? m_counter : m_vector, BLOCK_SIZE);
  for (size_t offset = 0; offset < length; offset += BLOCK_SIZE) {
    uint8_t saved[BLOCK_SIZE];
    uint8_t work[BLOCK_SIZE];
    std::memcpy(saved, input + offset, BLOCK_SIZE);
    switch (mode) {
      case AES_MODE_ECB: DecryptBlock(saved, output + offset); break;
      case AES_MODE_CBC:
        DecryptBlock(saved, work);
        XorBlock(work, chain, output + offset);
        std::memcpy(chain, saved, BLOCK_SIZE);
        break;
      case AES_MODE_CFB:
        EncryptBlock(chain, work);
        XorBlock(work, saved, output + offset);
        std::memcpy(chain, saved, BLOCK_SIZE);
        break;
      case AES_MODE_OFB:
        EncryptBlock(chain, chain);
        XorBlock(chain, saved, output + offset);
        break;
      case AES_MODE_CTR:
        EncryptBlock(chain, work);
        XorBlock(work, saved, output + offset);
        IncrementCounter(chain);
        break;
    }
  }
}

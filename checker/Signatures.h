#pragma once
// The Authenticode signature of a program or library, read with Windows' own
// calls: crypt32 (CryptQueryObject, CryptMsgGetParam) for who signed it and
// how, wintrust (WinVerifyTrust) for whether the file still matches its
// signature. Both libraries are loaded from the system folder when first
// needed, so the checker still starts on a Windows that lacks them.
#include <cstdint>
#include <string>

enum class SignatureState { Unsigned, Signed, Changed, Unreadable };
enum class KeyKind { Rsa, Ecc, Other };

struct Signature {
    SignatureState state = SignatureState::Unsigned;
    std::wstring signer;  // the signing certificate's name
    std::wstring digest;  // "SHA-256", "SHA-1", or the algorithm's identifier
    KeyKind key = KeyKind::Other;
    bool timeStamped = false;     // a time stamp countersigns it
    bool otherSignature = false;  // a second signature is nested inside it
    std::wstring expires;         // the certificate's end, "2036-12-07"
    std::wstring why;             // Unreadable: what could not be read
};

// Whether this Windows can read signatures; when not, `why` says what it lacks.
bool SignaturesReadable(std::wstring& why);

// The signature of the file at `path` (a full path).
Signature ReadSignature(const std::wstring& path);

// The state WinVerifyTrust's answer gives a file whose signature crypt32
// read: changed when the hash differs, unreadable when wintrust takes it for
// no signature at all, otherwise signed.
SignatureState StateFromTrust(long result);

// The names the report uses, from the identifiers Windows hands back.
std::wstring DigestName(const char* oid);
KeyKind KeyKindOf(const char* oid);
bool IsTimeStamp(const char* oid);
bool IsNestedSignature(const char* oid);

// Where a signature lies in a file: the image's certificate table.
struct CertificateTable {
    std::uint32_t offset = 0, size = 0;
};

// The table, from the bytes at the image header ("PE\0\0", the file header,
// the optional header); size 0 when the image names none.
CertificateTable CertificateTableOf(const std::string& imageHeaders);
constexpr std::size_t kImageHeadersSize = 24 + 112 + 5 * 8; // up to the table's entry of a 64-bit image

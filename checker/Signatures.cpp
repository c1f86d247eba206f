#include "Signatures.h"

#include "FileBytes.h"
#include "Handles.h"
#include "ProgramKind.h"
#include "SystemCalls.h"

#include <windows.h>
#include <wincrypt.h>
#include <wintrust.h>
#include <softpub.h>

#include <cstring>
#include <vector>

namespace {

const char kCrypt32[] = "crypt32.dll";
const char kWintrust[] = "wintrust.dll";

using QueryObjectFn = BOOL(WINAPI*)(DWORD, const void*, DWORD, DWORD, DWORD, DWORD*, DWORD*, DWORD*, HCERTSTORE*,
                                    HCRYPTMSG*, const void**);
using MsgGetParamFn = BOOL(WINAPI*)(HCRYPTMSG, DWORD, DWORD, void*, DWORD*);
using MsgCloseFn = BOOL(WINAPI*)(HCRYPTMSG);
using CloseStoreFn = BOOL(WINAPI*)(HCERTSTORE, DWORD);
using FindCertificateFn = PCCERT_CONTEXT(WINAPI*)(HCERTSTORE, DWORD, DWORD, DWORD, const void*, PCCERT_CONTEXT);
using FreeCertificateFn = BOOL(WINAPI*)(PCCERT_CONTEXT);
using NameStringFn = DWORD(WINAPI*)(PCCERT_CONTEXT, DWORD, DWORD, void*, LPWSTR, DWORD);
using VerifyTrustFn = LONG(WINAPI*)(HWND, GUID*, void*);

// Every call the reading needs, looked up once.
struct Calls {
    QueryObjectFn queryObject = SystemCall<QueryObjectFn>(kCrypt32, "CryptQueryObject");
    MsgGetParamFn msgGetParam = SystemCall<MsgGetParamFn>(kCrypt32, "CryptMsgGetParam");
    MsgCloseFn msgClose = SystemCall<MsgCloseFn>(kCrypt32, "CryptMsgClose");
    CloseStoreFn closeStore = SystemCall<CloseStoreFn>(kCrypt32, "CertCloseStore");
    FindCertificateFn findCertificate = SystemCall<FindCertificateFn>(kCrypt32, "CertFindCertificateInStore");
    FreeCertificateFn freeCertificate = SystemCall<FreeCertificateFn>(kCrypt32, "CertFreeCertificateContext");
    NameStringFn nameString = SystemCall<NameStringFn>(kCrypt32, "CertGetNameStringW");
    VerifyTrustFn verifyTrust = SystemCall<VerifyTrustFn>(kWintrust, "WinVerifyTrust");

    const char* Missing() const
    {
        if (!queryObject) return "CryptQueryObject";
        if (!msgGetParam || !msgClose || !closeStore) return "CryptMsgGetParam";
        if (!findCertificate || !freeCertificate || !nameString) return "CertFindCertificateInStore";
        if (!verifyTrust) return "WinVerifyTrust";
        return nullptr;
    }
};

const Calls& Crypto()
{
    static const Calls calls;
    return calls;
}

struct StoreTraits {
    static HCERTSTORE empty() { return nullptr; }
    static bool valid(HCERTSTORE s) { return s != nullptr; }
    static void close(HCERTSTORE s) { Crypto().closeStore(s, 0); }
};
struct MessageTraits {
    static HCRYPTMSG empty() { return nullptr; }
    static bool valid(HCRYPTMSG m) { return m != nullptr; }
    static void close(HCRYPTMSG m) { Crypto().msgClose(m); }
};
struct CertificateTraits {
    static PCCERT_CONTEXT empty() { return nullptr; }
    static bool valid(PCCERT_CONTEXT c) { return c != nullptr; }
    static void close(PCCERT_CONTEXT c) { Crypto().freeCertificate(c); }
};
using UniqueStore = Owned<HCERTSTORE, StoreTraits>;
using UniqueMessage = Owned<HCRYPTMSG, MessageTraits>;
using UniqueCertificate = Owned<PCCERT_CONTEXT, CertificateTraits>;

// The certificate table the image names, and whether it lies within the file:
// a signature cut short is one the file claims and does not hold whole.
struct TableInFile {
    CertificateTable table;
    bool whole = false;
};

TableInFile ReadTable(const std::wstring& path)
{
    TableInFile found;
    const UniqueHandle file = OpenForReading(path);
    if (!file) return found;
    const std::uint32_t header = ImageHeaderOffset(ReadAt(file.get(), 0, kDosHeaderSize));
    if (!header) return found;
    found.table = CertificateTableOf(ReadAt(file.get(), header, kImageHeadersSize));
    DWORD high = 0;
    const DWORD low = GetFileSize(file.get(), &high);
    const unsigned long long end = std::uint64_t(found.table.offset) + found.table.size;
    found.whole = high != 0 || end <= low;
    return found;
}

// The dates in the report: "2036-12-07".
std::wstring DateOf(const FILETIME& time)
{
    SYSTEMTIME day;
    if (!FileTimeToSystemTime(&time, &day)) return L"?";
    wchar_t text[16];
    wsprintfW(text, L"%04u-%02u-%02u", day.wYear, day.wMonth, day.wDay);
    return text;
}

// The first signer of the embedded signature, into `signature`; false when it
// cannot be read.
bool ReadSigner(const Calls& calls, const std::wstring& path, Signature& signature)
{
    DWORD encoding = 0, content = 0, format = 0;
    HCERTSTORE store = nullptr;
    HCRYPTMSG message = nullptr;
    const BOOL queried = calls.queryObject(CERT_QUERY_OBJECT_FILE, path.c_str(),
                                           CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED_EMBED, CERT_QUERY_FORMAT_FLAG_BINARY, 0,
                                           &encoding, &content, &format, &store, &message, nullptr);
    const UniqueStore ownedStore(store);
    const UniqueMessage ownedMessage(message);
    if (!queried || !store || !message) {
        signature.why = L"Windows finds no signature in it";
        return false;
    }
    DWORD size = 0;
    if (!calls.msgGetParam(message, CMSG_SIGNER_INFO_PARAM, 0, nullptr, &size) || size < sizeof(CMSG_SIGNER_INFO)) {
        signature.why = L"it names no signer";
        return false;
    }
    std::vector<unsigned char> area(size);
    if (!calls.msgGetParam(message, CMSG_SIGNER_INFO_PARAM, 0, area.data(), &size)) {
        signature.why = L"it names no signer";
        return false;
    }
    const auto* signer = reinterpret_cast<const CMSG_SIGNER_INFO*>(area.data());
    signature.digest = DigestName(signer->HashAlgorithm.pszObjId);
    for (DWORD i = 0; i < signer->UnauthAttrs.cAttr; ++i) {
        const char* oid = signer->UnauthAttrs.rgAttr[i].pszObjId;
        signature.timeStamped = signature.timeStamped || IsTimeStamp(oid);
        signature.otherSignature = signature.otherSignature || IsNestedSignature(oid);
    }

    CERT_INFO wanted = {};
    wanted.Issuer = signer->Issuer;
    wanted.SerialNumber = signer->SerialNumber;
    const UniqueCertificate certificate(calls.findCertificate(store, X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0,
                                                              CERT_FIND_SUBJECT_CERT, &wanted, nullptr));
    if (!certificate) {
        signature.why = L"it does not hold its signer's certificate";
        return false;
    }
    const CERT_INFO* info = certificate.get()->pCertInfo;
    signature.key = KeyKindOf(info->SubjectPublicKeyInfo.Algorithm.pszObjId);
    signature.expires = DateOf(info->NotAfter);
    wchar_t name[256] = {};
    calls.nameString(certificate.get(), CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name, 256);
    signature.signer = name[0] ? name : L"an unnamed signer";
    return true;
}

// What WinVerifyTrust says of the file against its signature. Only whether
// the hash matches is taken from it: whether the publisher is trusted depends
// on the machine, not on the disc, and no network is asked.
LONG VerifyTrust(const Calls& calls, const std::wstring& path)
{
    WINTRUST_FILE_INFO file = {};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = path.c_str();
    WINTRUST_DATA data = {};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_IGNORE;
    data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL | WTD_REVOCATION_CHECK_NONE;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    return calls.verifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
}

} // namespace

bool SignaturesReadable(std::wstring& why)
{
    DWORD error = 0;
    if (!FindSystemFunction(kCrypt32, "CryptQueryObject", error) && error != ERROR_PROC_NOT_FOUND) {
        why = L"this Windows has no crypt32.dll";
        return false;
    }
    if (!FindSystemFunction(kWintrust, "WinVerifyTrust", error) && error != ERROR_PROC_NOT_FOUND) {
        why = L"this Windows has no wintrust.dll";
        return false;
    }
    if (const char* missing = Crypto().Missing()) {
        why = L"this Windows has no " + std::wstring(missing, missing + std::strlen(missing));
        return false;
    }
    return true;
}

Signature ReadSignature(const std::wstring& path)
{
    Signature signature;
    // The image's own table tells an unsigned file from one whose signature is
    // cut short: CryptQueryObject answers both alike, that it found none.
    const TableInFile table = ReadTable(path);
    if (table.table.size == 0) return signature;
    signature.state = SignatureState::Unreadable;
    if (!table.whole) {
        signature.why = L"it is cut short";
        return signature;
    }
    const Calls& calls = Crypto();
    if (!ReadSigner(calls, path, signature)) return signature;
    signature.state = StateFromTrust(VerifyTrust(calls, path));
    if (signature.state == SignatureState::Unreadable) signature.why = L"Windows does not take it for a signature";
    return signature;
}

SignatureState StateFromTrust(long result)
{
    if (result == TRUST_E_BAD_DIGEST) return SignatureState::Changed;
    if (result == TRUST_E_NOSIGNATURE || result == TRUST_E_SUBJECT_FORM_UNKNOWN) return SignatureState::Unreadable;
    // Trusted or not (an unknown root, an expired certificate), the file
    // still matches what was signed.
    return SignatureState::Signed;
}

std::wstring DigestName(const char* oid)
{
    static const struct {
        const char* oid;
        const wchar_t* name;
    } kDigests[] = {{"1.3.14.3.2.26", L"SHA-1"},           {"2.16.840.1.101.3.4.2.1", L"SHA-256"},
                    {"2.16.840.1.101.3.4.2.2", L"SHA-384"}, {"2.16.840.1.101.3.4.2.3", L"SHA-512"},
                    {"1.2.840.113549.2.5", L"MD5"}};
    if (!oid) return L"an unknown digest";
    for (const auto& digest : kDigests)
        if (std::strcmp(oid, digest.oid) == 0) return digest.name;
    return std::wstring(oid, oid + std::strlen(oid));
}

KeyKind KeyKindOf(const char* oid)
{
    if (!oid) return KeyKind::Other;
    if (std::strcmp(oid, szOID_RSA_RSA) == 0) return KeyKind::Rsa;
    if (std::strcmp(oid, "1.2.840.10045.2.1") == 0) return KeyKind::Ecc; // id-ecPublicKey
    return KeyKind::Other;
}

bool IsTimeStamp(const char* oid)
{
    // The PKCS #9 countersignature, or an RFC 3161 time-stamp token.
    return oid && (std::strcmp(oid, szOID_RSA_counterSign) == 0 || std::strcmp(oid, "1.3.6.1.4.1.311.3.3.1") == 0);
}

bool IsNestedSignature(const char* oid)
{
    return oid && std::strcmp(oid, "1.3.6.1.4.1.311.2.4.1") == 0;
}

CertificateTable CertificateTableOf(const std::string& headers)
{
    CertificateTable table;
    if (headers.size() < 26 || headers.compare(0, 4, std::string("PE\0\0", 4)) != 0) return table;
    // The data directories follow the optional header's fixed part, which is
    // 96 bytes in a 32-bit image and 112 in a 64-bit one; the certificate
    // table is the fifth.
    const std::uint32_t magic = LittleEndian(headers, 24, 2);
    const std::size_t directories = 24 + (magic == 0x20B ? 112 : magic == 0x10B ? 96 : 0);
    if (directories == 24 || headers.size() < directories + 5 * 8) return table;
    const std::uint32_t count = LittleEndian(headers, directories - 4, 4); // NumberOfRvaAndSizes
    if (count < 5) return table;
    table.offset = LittleEndian(headers, directories + 32, 4);
    table.size = LittleEndian(headers, directories + 36, 4);
    if (table.offset == 0) table.size = 0;
    return table;
}

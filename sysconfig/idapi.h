#pragma once
// The database engine's calls (idapi32.dll) as the setup and the stand-in engine use
// them: stdcall, single-byte strings, a 16-bit result where 0 means success. Only what
// the setup and the upgrade library call is declared here.
#include <windows.h>

#include <cstdint>

using DBIResult = std::uint16_t;
using hDBIDb = struct DbiDatabase*;
using hDBICur = struct DbiCursor*;
using hDBICfg = struct DbiConfig*;  // a configuration handle; the setup always passes none

enum DBIOpenMode : std::int32_t { dbiREADWRITE = 0, dbiREADONLY = 1 };
enum DBIShareMode : std::int32_t { dbiOPENSHARED = 0, dbiOPENEXCL = 1 };
enum CFGMode : std::int32_t { cfgPersistent = 0, cfgSession = 1 };
enum DBILockType : std::int32_t { dbiNOLOCK = 0, dbiREADLOCK = 1, dbiWRITELOCK = 2 };

inline constexpr DBIResult DBIERR_NONE = 0;
inline constexpr DBIResult DBIERR_NOTINITIALIZED = 0x2001;
inline constexpr DBIResult DBIERR_INVALIDPARAM = 0x2002;
inline constexpr DBIResult DBIERR_INVALIDHNDL = 0x2003;
inline constexpr DBIResult DBIERR_CANTFINDCFG = 0x2101;  // no configuration file in the registry or on disk
inline constexpr DBIResult DBIERR_CFGWRITE = 0x2102;     // the configuration file could not be written
inline constexpr DBIResult DBIERR_UNKNOWNDB = 0x2201;    // no alias of that name
inline constexpr DBIResult DBIERR_INVALIDDIR = 0x2202;   // the alias's folder does not exist
inline constexpr DBIResult DBIERR_NAMENOTUNIQUE = 0x2203;
inline constexpr DBIResult DBIERR_OBJNOTFOUND = 0x2301;  // no such configuration node
inline constexpr DBIResult DBIERR_EOF = 0x2302;
inline constexpr DBIResult DBIERR_NOCURRREC = 0x2303;
inline constexpr DBIResult DBIERR_READONLY = 0x2304;

inline constexpr int DBIMAXNAMELEN = 31;
inline constexpr int DBIMAXPATHLEN = 260;
inline constexpr int DBIMAXVALUELEN = 255;

// One record of a configuration-list cursor: a value of the node or one of its sub-nodes.
// The setup reads and writes only szNodeName and szValue.
struct CFGDesc {
  char szNodeName[DBIMAXNAMELEN + 1];
  char szDescription[DBIMAXVALUELEN + 1];
  std::uint16_t iDataType;  // fldZSTRING for every value
  char szValue[DBIMAXVALUELEN + 1];
  std::uint16_t bHasSubnodes;
};
inline constexpr std::uint16_t fldZSTRING = 1;

extern "C" {
using DbiInitFn = DBIResult(WINAPI*)(void* environment);
using DbiExitFn = DBIResult(WINAPI*)();
using DbiOpenDatabaseFn = DBIResult(WINAPI*)(const char* name, const char* type, DBIOpenMode openMode,
                                             DBIShareMode shareMode, const char* password, std::uint16_t optFields,
                                             void* optFieldDescs, void* optParams, hDBIDb* database);
using DbiCloseDatabaseFn = DBIResult(WINAPI*)(hDBIDb* database);
// The folder of an open database into a buffer of DBIMAXPATHLEN + 1 bytes.
using DbiGetDirectoryFn = DBIResult(WINAPI*)(hDBIDb database, BOOL defaultFolder, char* folder);
using DbiAddAliasFn = DBIResult(WINAPI*)(hDBICfg config, const char* alias, const char* driverType,
                                         const char* params, BOOL persistent);
using DbiCfgSaveFn = DBIResult(WINAPI*)(hDBICfg config, const char* file, BOOL registry);
// The path names a node as "\DRIVERS\PARADOX\INIT"; doubled separators are accepted.
using DbiOpenCfgInfoListFn = DBIResult(WINAPI*)(hDBICfg config, DBIOpenMode openMode, CFGMode mode,
                                                const char* path, hDBICur* cursor);
using DbiSetToBeginFn = DBIResult(WINAPI*)(hDBICur cursor);
using DbiGetNextRecordFn = DBIResult(WINAPI*)(hDBICur cursor, DBILockType lock, void* record, void* properties);
using DbiModifyRecordFn = DBIResult(WINAPI*)(hDBICur cursor, const void* record, BOOL freeLock);
}

// Where the engine is registered; importing its bde.reg template creates these values.
inline constexpr wchar_t EngineRegistryKey[] = L"Software\\Borland\\Database Engine";
inline constexpr wchar_t EngineDllPathValue[] = L"DLLPATH";
inline constexpr wchar_t EngineConfigFileValue[] = L"CONFIGFILE01";
inline constexpr wchar_t EngineLibraryName[] = L"idapi32.dll";

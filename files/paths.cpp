// clsFILE: path and file-name text rules, and the free numbered file name.
#include "files/clsFILE.h"
#include "files/path_rules.h"
#include "helpers/clsMethod.h"

namespace brixen {
namespace {

file::NameSplit SplitBy(clsMethod& method) {
  return
      [&method](const String& name, String& base, String& extension) { method.SeparateFNAME(name, base, extension); };
}

}  // namespace

String clsFILE::GetWhatFromFullPath(Integer Which, const String& FULLFILENAME) {
  return file::GetWhatFromFullPath(Which, FULLFILENAME, SplitBy(log_.Method()));
}

String clsFILE::YenCheck(Long Which, const String& spath) {
  return log_.Handle<String>(u"YenCheck", [&](String& r) { r = file::YenCheck(Which, spath); });
}

String clsFILE::ReplaceExt(const String& FullFName, const String& DstExt) {
  return log_.Handle<String>(u" ReplaceExt", [&](String& r) { r = file::ReplaceExt(FullFName, DstExt); });
}

Boolean clsFILE::IsExistDot(const String& tStr) {
  return log_.Handle<Boolean>(u"IsExistDot", [&](Boolean& r) { r = file::IsExistDot(tStr); });
}

Boolean clsFILE::IsExistIhanMoji(const String& tStr) { return file::IsExistIhanMoji(tStr); }

Integer clsFILE::FNameCheck(const String& FNAME) {
  return log_.Handle<Integer>(
      u"FNameCheck", [&](Integer& r) { file::FNameCheck(FNAME, SplitBy(log_.Method()), r); }, file::kNameAcceptable);
}

String clsFILE::get_MyFName(const String& APPPATH, String& HEAD, const String& EXT) {
  return log_.Handle<String>(u"MyFName", [&](String& r) {
    r = file::FirstFreeNumberedName(APPPATH, HEAD, EXT, [this](const String& path) { return fs_.FileExists(path); });
  });
}

}  // namespace brixen

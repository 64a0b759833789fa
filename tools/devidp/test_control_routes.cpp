#include "test_control_routes.h"

#include <cstdlib>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "json_answers.h"
#include "paths.h"

namespace devidp {
namespace {

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

// False unless the field holds a whole decimal number.
bool Number(const Form& form, const char* name, long& number) {
  const std::string* text = form.Find(name);
  if (!text || text->empty()) return false;
  char* end = nullptr;
  number = std::strtol(text->c_str(), &end, 10);
  return *end == '\0';
}

void Done(httplib::Response& res) { AnswerJson(res, 200, "{}"); }

void BadControl(httplib::Response& res, const char* what) { AnswerError(res, 400, "invalid_request", what); }

std::string Path(const char* name) { return std::string(kTestControlPrefix) + name; }

void AddSwitches(Router& router, Provider& provider) {
  router.PostForm(Path("expire-refresh-tokens"), [&provider](const httplib::Request&, const Form&,
                                                               httplib::Response& res) {
    AnswerJson(res, 200, "{\"expired\":" + std::to_string(provider.grants.ExpireRefreshTokens()) + "}");
  });
  router.PostForm(Path("next-token-answer"), [&provider](const httplib::Request&, const Form& form,
                                                          httplib::Response& res) {
    long status = 0;
    const std::string* body = form.Find("body");
    if (!Number(form, "status", status) || status < 100 || status > 599 || !body) {
      return BadControl(res, "needs status=100..599 and body");
    }
    provider.switches.SetForcedAnswer({static_cast<int>(status), *body});
    Done(res);
  });
  router.PostForm(Path("shape-next-answer"), [&provider](const httplib::Request&, const Form& form,
                                                          httplib::Response& res) {
    long cutAfter = 0, pieceSize = 0;
    const bool cut = Number(form, "cut_after", cutAfter), pieces = Number(form, "piece_size", pieceSize);
    if (cut == pieces || (cut && cutAfter <= 0) || (pieces && pieceSize <= 0)) {
      return BadControl(res, "needs cut_after=N or piece_size=N, N > 0");
    }
    const std::string* path = form.Find("path");
    provider.switches.SetShaping(
        {path ? *path : kTokenPath, static_cast<size_t>(cutAfter), static_cast<size_t>(pieceSize)});
    Done(res);
  });
  router.PostForm(Path("advance-clock"), [&provider](const httplib::Request&, const Form& form,
                                                      httplib::Response& res) {
    long seconds = 0;
    if (!Number(form, "seconds", seconds)) return BadControl(res, "needs seconds=N");
    provider.grants.AdvanceClock(seconds);
    Done(res);
  });
}

void AddReports(Router& router, Provider& provider) {
  router.PostForm(kPageShownPath, [&provider](const httplib::Request&, const Form&, httplib::Response& res) {
    provider.switches.RecordPageShown();
    Done(res);
  });
  router.Get(kPageShownPath, [&provider](const httplib::Request&, httplib::Response& res) {
    std::string times;
    for (double time : provider.switches.PageShownTimes()) times += (times.empty() ? "" : ",") + std::to_string(time);
    AnswerJson(res, 200, "{\"shown\":[" + times + "]}");
  });
  router.Get(Path("last-form"), [&provider](const httplib::Request&, httplib::Response& res) {
    const ReceivedForm last = provider.switches.LastForm();
    rapidjson::StringBuffer buffer;
    JsonWriter json(buffer);
    json.StartObject();
    json.Key("path");
    json.String(last.path.c_str());
    json.Key("fields");
    json.StartArray();
    for (const FormField& field : last.form.fields) {
      json.StartObject();
      json.Key("name");
      json.String(field.name.c_str(), static_cast<rapidjson::SizeType>(field.name.size()));
      json.Key("value");
      json.String(field.value.c_str(), static_cast<rapidjson::SizeType>(field.value.size()));
      json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    AnswerJson(res, 200, buffer.GetString());
  });
  router.Get(Path("issued"), [&provider](const httplib::Request&, httplib::Response& res) {
    rapidjson::StringBuffer buffer;
    JsonWriter json(buffer);
    json.StartObject();
    json.Key("issued");
    json.StartArray();
    for (const IssuedSecret& secret : provider.grants.Issued()) {
      json.StartObject();
      json.Key("kind");
      json.String(secret.kind.c_str());
      json.Key("sha256");
      json.String(secret.sha256.c_str());
      json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    AnswerJson(res, 200, buffer.GetString());
  });
}

}  // namespace

void AddTestControlRoutes(Router& router, Provider& provider) {
  AddSwitches(router, provider);
  AddReports(router, provider);
}

}  // namespace devidp

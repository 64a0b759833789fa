#include "json_answers.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace devidp {

void AnswerError(httplib::Response& res, int status, const std::string& error, const std::string& description) {
  rapidjson::StringBuffer buffer;
  rapidjson::Writer<rapidjson::StringBuffer> json(buffer);
  json.StartObject();
  json.Key("error");
  json.String(error.c_str());
  json.Key("error_description");
  json.String(description.c_str());
  json.EndObject();
  AnswerJson(res, status, buffer.GetString());
}

void AnswerJson(httplib::Response& res, int status, const std::string& json) {
  res.status = status;
  res.set_header("Cache-Control", "no-store");
  res.set_content(json, "application/json;charset=UTF-8");
}

}  // namespace devidp

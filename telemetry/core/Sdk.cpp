#include "telemetry/core/Sdk.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "telemetry/core/TrackId.h"
#include "telemetry/core/Validation.h"

namespace telemetry_core {

namespace {
Sdk* g_instance = nullptr;

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch()).count();
}
}  // namespace

Sdk::Sdk(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId, bool isLoginId)
    : superProperties_(new PropertiesNode), distinctId_(distinctId), isLoginId_(isLoginId),
      queue_(new RecordQueue(serverUrl, stagingPath)) {
  superProperties_->SetString("$lib", "cpp");
  superProperties_->SetString("$lib_version", "0.9");
}

Sdk::~Sdk() {
  queue_.reset();  // stages what it still holds
  superProperties_.reset();
}

bool Sdk::Init(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId,
               bool isLoginId) {
  if (!CheckId("Distinct ID", distinctId)) return false;
  if (g_instance) return true;
  g_instance = new Sdk(stagingPath, serverUrl, distinctId, isLoginId);
  SeedTrackId(static_cast<unsigned>(std::time(nullptr)));
  return true;
}

void Sdk::Shutdown() {
  Sdk* instance = g_instance;
  g_instance = nullptr;
  delete instance;
}

Sdk* Sdk::Instance() { return g_instance; }

bool Sdk::Track(const std::string& event, const PropertiesNode& properties) {
  if (!g_instance) return false;
  return AddEvent("track", event, properties, g_instance->distinctId_, "");
}

bool Sdk::Track(const std::string& event) { return Track(event, PropertiesNode()); }

bool Sdk::TrackSignup(const std::string& loginId) {
  if (!g_instance) return false;
  std::string original = g_instance->distinctId_;
  bool ok = AddEvent("track_signup", "$SignUp", PropertiesNode(), loginId, original);
  g_instance->distinctId_ = loginId;
  g_instance->isLoginId_ = true;
  return ok;
}

bool Sdk::TrackWithInstallSource(const std::string& event, const PropertiesNode& properties) {
  if (!g_instance) return false;
  PropertiesNode merged;
  merged.SetString("$ios_install_source", "");
  merged.MergeFrom(properties);
  return Track(event, merged);
}

namespace {
bool Profile(const char* type, const PropertiesNode& properties) {
  Sdk* sdk = Sdk::Instance();
  if (!sdk) return false;
  return Sdk::AddEvent(type, "", properties, sdk->DistinctId(), "");
}
template <typename T>
PropertiesNode One(const std::string& key, const T& value) {
  PropertiesNode node;
  node.SetNumber(key, value);
  return node;
}
PropertiesNode OneString(const std::string& key, const std::string& value) {
  PropertiesNode node;
  node.SetString(key, value);
  return node;
}
}  // namespace

bool Sdk::ProfileSet(const PropertiesNode& p) { return Profile("profile_set", p); }
bool Sdk::ProfileSet(const std::string& k, const std::string& v) { return ProfileSet(OneString(k, v)); }
bool Sdk::ProfileSet(const std::string& k, int v) { return ProfileSet(One(k, v)); }
bool Sdk::ProfileSet(const std::string& k, double v) { return ProfileSet(One(k, v)); }
bool Sdk::ProfileSetOnce(const PropertiesNode& p) { return Profile("profile_set_once", p); }
bool Sdk::ProfileSetOnce(const std::string& k, const std::string& v) { return ProfileSetOnce(OneString(k, v)); }
bool Sdk::ProfileSetOnce(const std::string& k, int v) { return ProfileSetOnce(One(k, v)); }
bool Sdk::ProfileSetOnce(const std::string& k, double v) { return ProfileSetOnce(One(k, v)); }
bool Sdk::ProfileIncrement(const PropertiesNode& p) { return Profile("profile_increment", p); }
bool Sdk::ProfileIncrement(const std::string& k, int v) { return ProfileIncrement(One(k, v)); }

bool Sdk::ProfileAppend(const std::string& key, const std::string& value) {
  PropertiesNode node;
  node.SetList(key, {value});
  return Profile("profile_append", node);
}

void Sdk::RegisterSuperProperties(const PropertiesNode& properties) {
  if (g_instance) g_instance->superProperties_->MergeFrom(properties);
}

void Sdk::SetIdentity(const std::string& distinctId, bool isLoginId) {
  if (!g_instance) return;
  g_instance->distinctId_ = distinctId;
  g_instance->isLoginId_ = isLoginId;
}

bool Sdk::AddEvent(const std::string& type, const std::string& event, const PropertiesNode& properties,
                   const std::string& distinctId, const std::string& originalId) {
  Sdk* sdk = g_instance;
  if (!sdk) return false;
  for (const auto& entry : properties.Entries()) {
    if (!CheckName("Property Key", entry.first)) return false;
    if (entry.first == "$time" && entry.second.kind() != utils::ValueNode::DateTime) {
      std::fprintf(stderr, "The property '$time' should be DateTime type.");
      return false;
    }
    if (entry.first == "$project" && entry.second.kind() != utils::ValueNode::String) {
      std::fprintf(stderr, "The property '$project' should be String type.");
      return false;
    }
  }
  if (type == "track" && !CheckName("Event Name", event)) return false;
  if (type == "track_signup" && !CheckId("Original ID", originalId)) return false;

  PropertiesNode recordProperties;
  if (type.find("track") != std::string::npos) recordProperties.MergeFrom(*sdk->superProperties_);
  recordProperties.MergeFrom(properties);

  int64_t time;
  if (const utils::ValueNode* t = recordProperties.Find("$time")) {
    time = t->seconds() * 1000 + t->milliseconds();
    recordProperties.Remove("$time");
  } else {
    time = NowMs();
  }
  std::string project;
  if (const utils::ValueNode* p = recordProperties.Find("$project")) {
    project = p->text();
    recordProperties.Remove("$project");
  }
  if (sdk->isLoginId_) recordProperties.SetBool("$is_login_id", true);

  utils::ObjectNode lib;
  lib.SetString("$lib", "cpp");
  lib.SetString("$lib_version", "0.9");
  lib.SetString("$lib_method", "code");

  utils::ObjectNode record;
  record.SetString("type", type);
  record.SetInteger("time", time);
  record.SetString("distinct_id", distinctId);
  record.SetObject("properties", recordProperties);
  record.SetObject("lib", lib);
  record.SetInteger("_track_id", NewTrackId());
  if (!project.empty()) record.SetString("project", project);
  if (type == "track" || type == "track_signup") record.SetString("event", event);
  if (type == "track_signup") record.SetString("original_id", originalId);

  sdk->queue_->Add(record.ToJson());
  return true;
}

}  // namespace telemetry_core

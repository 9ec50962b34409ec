#include <gtest/gtest.h>

#include <string>

#include "AnimationFixture.h"
#include "frame/Angles.h"

namespace {

class ComponentTest : public AnimationFixture {
 protected:
  // The host's record of the k-th component it was given.
  const vantor::AnimationComponentRecord& HostComponent(std::size_t k) {
    return *record_->animationComponents.at(k);
  }
};

void ExpectVector(const VECTOR3& v, double x, double y, double z) {
  EXPECT_EQ(v.x, x);
  EXPECT_EQ(v.y, y);
  EXPECT_EQ(v.z, z);
}

TEST_F(ComponentTest, ValuesCarryFromOneComponentToTheNext) {
  Aircraft& a = Build(
      "[ANIM_SEQ_0]\nKEY=G\n"
      "[ANIM_COMP_0]\nGROUPS=(1,2)\nSEQ=0\nANGLE=90\nROT_PNT=(1,2,3)\nROT_AXIS=(1,0,0)\n"
      "RANGE=(0.2,0.8)\n"
      "[ANIM_COMP_1]\nGROUPS=3\nSEQ=0\n"
      "[ANIM_COMP_2]\nGROUPS=4\nSEQ=0\nTYPE=TRANSLATE\nSHIFT=(0,0,1)\n"
      "[ANIM_COMP_3]\nGROUPS=5\nSEQ=0\n"
      "[ANIM_COMP_4]\nGROUPS=6\nSEQ=0\nTYPE=SCALE\nSCALE=(2,2,2)\nREF=(5,5,5)\n"
      "[ANIM_COMP_5]\nGROUPS=7\nSEQ=0\nTYPE=translate\n");
  ASSERT_EQ(a.animations.componentCount, 6);
  ASSERT_EQ(record_->animationComponents.size(), 6u);
  const UINT animation = a.animations.sequences[0].animation;
  for (std::size_t k = 0; k < 6; ++k) {
    const AnimationComponent& comp = a.animations.components[k];
    EXPECT_EQ(HostComponent(k).animation, animation);
    EXPECT_EQ(HostComponent(k).transform, comp.transform.get());
    EXPECT_EQ(comp.transform->mesh, 0u);
    EXPECT_EQ(comp.transform->groups, comp.groups);
    EXPECT_EQ(comp.transform->groupCount, static_cast<UINT>(comp.groupCount));
  }
  EXPECT_EQ(HostComponent(0).state0, 0.2);
  EXPECT_EQ(HostComponent(0).state1, 0.8);
  EXPECT_EQ(HostComponent(1).state0, 0.0);  // RANGE does not carry over
  EXPECT_EQ(HostComponent(1).state1, 1.0);
  EXPECT_EQ(a.animations.components[0].groupCount, 2);
  EXPECT_EQ(a.animations.components[0].groups[1], 2u);

  const float angle = static_cast<float>(90.0 * RAD);
  for (std::size_t k : {0u, 1u}) {
    const auto* rotate = dynamic_cast<const MGROUP_ROTATE*>(HostComponent(k).transform);
    ASSERT_NE(rotate, nullptr);
    ExpectVector(rotate->ref, 1, 2, 3);
    ExpectVector(rotate->axis, 1, 0, 0);
    EXPECT_EQ(rotate->angle, angle);
  }
  for (std::size_t k : {2u, 3u}) {
    const auto* translate = dynamic_cast<const MGROUP_TRANSLATE*>(HostComponent(k).transform);
    ASSERT_NE(translate, nullptr);
    ExpectVector(translate->shift, 0, 0, 1);
  }
  const auto* scale = dynamic_cast<const MGROUP_SCALE*>(HostComponent(4).transform);
  ASSERT_NE(scale, nullptr);
  ExpectVector(scale->ref, 5, 5, 5);
  ExpectVector(scale->scale, 2, 2, 2);
  // Lower-case "translate" rotates, about the point REF moved.
  const auto* rotate = dynamic_cast<const MGROUP_ROTATE*>(HostComponent(5).transform);
  ASSERT_NE(rotate, nullptr);
  ExpectVector(rotate->ref, 5, 5, 5);
  ExpectVector(rotate->axis, 1, 0, 0);
  EXPECT_EQ(rotate->angle, angle);
}

TEST_F(ComponentTest, OversizedListsAndUnknownSequencesStayInBounds) {
  std::string config =
      "[ANIM_SEQ_0]\nKEY=A\n[ANIM_SEQ_1]\nKEY=B\n"
      "[ANIM_COMP_0]\nGROUPS=(0,1,2,3,4,5,6,7,8,9,10,11)\nSEQ=2\n"
      "[ANIM_COMP_1]\nGROUPS=1\nSEQ=-1\n"
      "[ANIM_COMP_2]\nGROUPS=1\n";
  for (int n = 3; n < 15; ++n) {
    config += "[ANIM_COMP_" + std::to_string(n) + "]\nGROUPS=1\nSEQ=1\n";
  }
  config += "[ANIM_COMP_15]\nGROUPS=\nSEQ=0\n[ANIM_COMP_16]\nGROUPS=1\nSEQ=0\n";
  Aircraft& a = Build(config);

  EXPECT_EQ(a.animations.componentCount, 15);
  EXPECT_EQ(a.animations.components[0].groupCount, 10);
  EXPECT_EQ(a.animations.components[0].groups[9], 9u);
  // Components 0 to 2 name no sequence: never handed to the host.
  EXPECT_EQ(record_->animationComponents.size(), 12u);
  const AnimationSequence& busy = a.animations.sequences[1];
  EXPECT_EQ(record_->animations[busy.animation].components.size(), 12u);
  ASSERT_EQ(busy.componentCount, 10);
  EXPECT_EQ(busy.componentIndices[0], 3);
  EXPECT_EQ(busy.componentIndices[9], 12);
  EXPECT_EQ(a.animations.sequences[0].componentCount, 0);
}

TEST_F(ComponentTest, LinksResolveToAnimationsOrNothing) {
  Aircraft& a = Build(
      "[ANIM_SEQ_0]\nKEY=A\n[ANIM_SEQ_1]\nKEY=B\n[ANIM_SEQ_2]\nKEY=C\nINITIAL=1\n"
      "[ELEVATOR]\nSEQ=0\n[RUDDER]\nSEQ=2\n[STEERING]\nSEQ=-4\n"
      "[AILERON]\nLSEQ=1\nRSEQ=3\n[FLAPS]\nSEQ=3\n");
  const ControlLinks& links = a.animations.links;
  EXPECT_EQ(links.elevatorAnimation, a.animations.sequences[0].animation);
  EXPECT_EQ(links.rudderAnimation, a.animations.sequences[2].animation);
  EXPECT_EQ(links.leftAileronAnimation, a.animations.sequences[1].animation);
  EXPECT_EQ(links.rightAileronAnimation, NO_ANIMATION);
  EXPECT_EQ(links.steeringAnimation, NO_ANIMATION);
  EXPECT_EQ(links.flapsAnimation, NO_ANIMATION);
  EXPECT_EQ(links.flapsSequence, -1);
  EXPECT_EQ(a.animations.sequences[2].state, 1.0);  // only a flaps sequence is reset
}

}  // namespace

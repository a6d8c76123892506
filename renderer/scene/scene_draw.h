// The two geometry draws of the scene: the rippling grid and the flying tiles, each as
// client-array draws of the same vertices, in the same order, that single vertex calls would
// give. They use the bound texture and the current matrix mode (model view) and leave every
// array switched off again.
#pragma once
#include "renderer/scene/scene_model.h"

namespace qv::renderer {

// 50 strips, one per row, each with the row's 51 vertex pairs; normal (0, 0, 1).
void DrawWaveStrips(const SceneState& scene);

// The listed tiles as quads, with each tile's turned normal.
void DrawTiles(const SceneState& scene, const TileDraw* draws, int count);

}  // namespace qv::renderer

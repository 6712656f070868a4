#pragma once

class TCore;
class TMaterial;

// Finds the material's file and reads it: the current model's folder, its "Mat" subfolder,
// then the containers of the core's resource list in their order. Problems go to the output
// list; a material that was not found stays unloaded and is drawn without texture.
void LoadMaterial(TCore& core, TMaterial& material);

// Makes every material of the core's model load itself this way when it is added.
void InstallMaterialLoader(TCore& core);

not a scene
